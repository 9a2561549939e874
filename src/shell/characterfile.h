#pragma once
// Our character file: an INI text naming the character and the colours of
// its figure. The figure itself is drawn by the program.
//
//   [Character]
//   Format=corvanel-character-1
//   Name=Merlin
//   [Colours]
//   Robe=#2f5fd0
//   ...

#include <QColor>
#include <QString>

namespace shell {

// The colours of the drawn figure. The defaults are the built-in figure.
struct CharacterLook {
    QColor robe{0x2f, 0x5f, 0xd0};
    QColor trim{0xf2, 0xc1, 0x4e};  // robe hem, hat band, stars
    QColor hat{0x2a, 0x3f, 0xa8};
    QColor beard{0xf4, 0xf4, 0xf2};
    QColor skin{0xf5, 0xcf, 0xab};
    QColor staff{0x8a, 0x5a, 0x2e};
    QColor orb{0x9f, 0xe8, 0xff};  // the glow on top of the staff
    QColor balloon{0xff, 0xfd, 0xe8};
    QColor balloonText{0x20, 0x20, 0x20};
};

inline constexpr const char* characterFormat = "corvanel-character-1";

struct CharacterFile {
    QString name;
    QString description;
    CharacterLook look;
};

// Reads the character `id` from `path`. On failure returns false and says why
// in `error` (no such file, not one of our character files, another character).
// A colour that cannot be read keeps its built-in value.
bool readCharacterFile(const QString& path, const QString& id, CharacterFile* out, QString* error);

}  // namespace shell
