#pragma once
#include <QIcon>
#include <QString>

namespace shell {

// Our pictures for the main window's buttons: "Files", "Masters",
// "Estimates", "Calculators", "Reports", "Notes", "Exit".
QIcon pictureButtonIcon(const QString& which);

}  // namespace shell
