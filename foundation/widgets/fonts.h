#pragma once
// The screens are designed with Windows font faces ("宋体", "Times New Roman"...). On this
// system those faces are usually missing, so each one is mapped to an installed face of the same
// kind, with a Chinese face after it for the characters the first one lacks. Fonts come from
// fontconfig on every Linux platform plugin, the headless "offscreen" one included, so the
// substitutions hold in tests as on screen.

#include <QString>
#include <optional>

// Installs the substitutions for every design face that is not installed itself. Call once after
// the application object exists; calling again gives the same result.
void InstallFontSubstitutions();

// The installed face that stands in for Chinese design faces (Noto CJK, else WenQuanYi, else any
// face that covers Simplified Chinese); empty when none is installed.
QString InstalledCjkFace();

// True when `face` is installed or has an installed substitute.
bool FontFaceAvailable(const QString& face);

// A stored font size in points when the whole text is a number above 0 and no larger than the
// largest size a font takes here; nullopt otherwise, so the control keeps its own size.
std::optional<qreal> PointSizeValue(const QString& text);
