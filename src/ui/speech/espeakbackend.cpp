#include "espeakbackend.h"

#include <QProcess>
#include <QStandardPaths>

namespace ui {

EspeakBackend::EspeakBackend(QObject* parent, const QString& program)
    : SpeechBackend(parent), program_(program.isEmpty() ? findProgram() : program)
{}

EspeakBackend::~EspeakBackend() { stop(); }

QString EspeakBackend::findProgram() { return QStandardPaths::findExecutable(QStringLiteral("espeak-ng")); }

QStringList EspeakBackend::arguments(const QString& text) { return {QStringLiteral("--"), text}; }

void EspeakBackend::say(const QString& text)
{
    stop();
    auto* p = new QProcess(this);
    process_ = p;
    // espeak-ng reads stdin when it has no words, and talks a lot on stderr
    // when there is no sound device.
    p->setStandardInputFile(QProcess::nullDevice());
    p->setStandardOutputFile(QProcess::nullDevice());
    p->setStandardErrorFile(QProcess::nullDevice());
    connect(p, &QProcess::finished, this, [this, p] { done(p); });
    connect(p, &QProcess::errorOccurred, this, [this, p](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            done(p);
    });
    if (program_.isEmpty() || text.trimmed().isEmpty()) {
        // Nothing to run: finish the way a failed start would, a moment later.
        QMetaObject::invokeMethod(
            this, [this, p] { done(p); }, Qt::QueuedConnection);
        return;
    }
    p->start(program_, arguments(text));
}

void EspeakBackend::stop()
{
    QProcess* p = process_;
    process_ = nullptr;
    if (!p)
        return;
    // A stopped text reports nothing.
    p->disconnect(this);
    if (p->state() != QProcess::NotRunning) {
        p->kill();
        p->waitForFinished(1000);
    }
    p->deleteLater();
}

void EspeakBackend::done(QProcess* process)
{
    if (process != process_)
        return;
    process_ = nullptr;
    process->disconnect(this);
    process->deleteLater();
    emit finished();
}

}  // namespace ui
