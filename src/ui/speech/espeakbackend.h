#pragma once
// Speech through the espeak-ng program, one process per text.

#include "ui/speech/speechbackend.h"

#include <QPointer>

class QProcess;

namespace ui {

class EspeakBackend : public SpeechBackend {
    Q_OBJECT
public:
    // `program` empty: espeak-ng as found on PATH.
    explicit EspeakBackend(QObject* parent = nullptr, const QString& program = QString());
    ~EspeakBackend() override;

    // The espeak-ng program on PATH, empty when there is none.
    static QString findProgram();
    // The arguments for one text: the text is a single argument after "--",
    // so a text that starts with "-" is spoken, not taken for an option.
    static QStringList arguments(const QString& text);

    void say(const QString& text) override;
    void stop() override;
    QString name() const override { return QStringLiteral("espeak-ng"); }

private:
    void done(QProcess* process);

    QString program_;
    QPointer<QProcess> process_;
};

}  // namespace ui
