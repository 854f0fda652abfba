#pragma once
// A laptop and a projector without a display: the offscreen platform with two screens, for the
// tests and benchmarks of the operator console. The platform orders its screens by name and
// makes the first the primary, so "LVDS-1" is the laptop and "VGA-1" the projector to its right.

#include <QByteArray>
#include <QTemporaryFile>

inline constexpr char kTwoOffscreenScreens[] = R"({"screens": [
    {"name": "LVDS-1", "x": 0, "y": 0, "width": 1280, "height": 800, "logicalDpi": 96},
    {"name": "VGA-1", "x": 1280, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96}]})";

// Points QT_QPA_PLATFORM at two offscreen screens described in `config`, which must outlive the
// application; call before the application is made. False, changing nothing, when the
// description cannot be written.
inline bool UseTwoOffscreenScreens(QTemporaryFile& config) {
    if (!config.open() || config.write(kTwoOffscreenScreens) < 0) {
        return false;
    }
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    return true;
}
