#pragma once

#include <QImage>
#include <QString>

namespace quorvane {

// The suite's own pictures, drawn rather than shipped as foreign files: the launcher's picture
// of a profiler cast, and one icon per program for window captions, menus and desktop entries.
enum class SuiteProgram { Launcher, Device, File };

// A survey vessel lowering the profiler through the water column, beside the sound velocity
// profile it records.
QImage drawCastPicture(int width, int height);

// A square icon of `size` pixels.
QImage drawProgramIcon(SuiteProgram program, int size);

// The name the program's icon files are installed under ("quorvane", "quorvanedevice", …).
QString programIconName(SuiteProgram program);

}  // namespace quorvane
