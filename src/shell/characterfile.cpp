#include "characterfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace shell {

namespace {

void readColour(const QSettings& s, const char* key, QColor* colour)
{
    const QVariant v = s.value(QLatin1String(key));
    if (!v.isValid())
        return;
    // QSettings splits "a, b" into a list; a colour never has a comma.
    const QColor c = QColor::fromString(v.toString().trimmed());
    if (c.isValid())
        *colour = c;
}

}  // namespace

bool readCharacterFile(const QString& path, const QString& id, CharacterFile* out, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };

    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("no such file"));
    if (!info.isFile())
        return fail(QStringLiteral("not a file"));
    {
        // QSettings treats an unreadable file like an empty one; ask first.
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return fail(f.errorString());
    }

    QSettings s(path, QSettings::IniFormat);
    if (s.status() != QSettings::NoError)
        return fail(QStringLiteral("not a character file of ours"));
    s.beginGroup(QStringLiteral("Character"));
    if (s.value(QStringLiteral("Format")).toString().trimmed() != QLatin1String(characterFormat))
        return fail(QStringLiteral("not a character file of ours"));
    const QString name = s.value(QStringLiteral("Name")).toString().trimmed();
    if (name.compare(id, Qt::CaseInsensitive) != 0)
        return fail(QStringLiteral("it holds the character \"%1\", not \"%2\"").arg(name, id));

    CharacterFile file;
    file.name = name;
    file.description = s.value(QStringLiteral("Description")).toString();
    s.endGroup();

    s.beginGroup(QStringLiteral("Colours"));
    readColour(s, "Robe", &file.look.robe);
    readColour(s, "Trim", &file.look.trim);
    readColour(s, "Hat", &file.look.hat);
    readColour(s, "Beard", &file.look.beard);
    readColour(s, "Skin", &file.look.skin);
    readColour(s, "Staff", &file.look.staff);
    readColour(s, "Orb", &file.look.orb);
    readColour(s, "Balloon", &file.look.balloon);
    readColour(s, "BalloonText", &file.look.balloonText);
    s.endGroup();

    if (out)
        *out = file;
    return true;
}

}  // namespace shell
