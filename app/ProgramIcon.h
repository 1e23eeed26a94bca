#pragma once
// The program's icon, for its windows and task bar entry.

#include <QIcon>

// Decoded with the skin library's own PNG reader: Qt's image reader would first look through
// every image-format plug-in installed on the machine, a millisecond at each start for one
// 64 x 64 picture.
QIcon ProgramIcon();
