#pragma once
// The main menu's items that open something, for tests that walk them all.

#include "shell/menutree.h"

#include <QStringList>

namespace screentest {

// Control names of the items that have steps, in menu order.
inline void menuLeaves(const QList<shell::MenuNode>& nodes, QStringList& out)
{
    for (const shell::MenuNode& n : nodes) {
        if (!n.children.isEmpty())
            menuLeaves(n.children, out);
        else if (!n.steps.isEmpty())
            out << n.name;
    }
}

inline QStringList menuLeaves()
{
    QStringList out;
    menuLeaves(shell::mainMenuTree(), out);
    return out;
}

}  // namespace screentest
