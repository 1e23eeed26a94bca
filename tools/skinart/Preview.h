#pragma once
// A sampler sheet of one skin, drawn with the real painting primitives from the package as the
// program loads it: a mock of the main window and the dialogs' controls in every state. Only for
// looking at the artwork; nothing of it goes into the packages.

#include <QImage>
#include <cstdint>
#include <vector>

QImage PreviewSheet(const std::vector<std::uint8_t>& package);
