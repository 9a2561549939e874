#pragma once
#include <QObject>
#include <QString>

namespace ui {

// Something that speaks one text at a time. say() starts speaking and
// returns at once; finished() follows when the text is done (or failed).
// A new say() before finished() may cut the previous text short: callers
// that want a queue keep their own.
class SpeechBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void say(const QString& text) = 0;
    virtual void stop() = 0;
    virtual QString name() const = 0;

signals:
    void finished();
};

}  // namespace ui
