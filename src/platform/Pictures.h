#pragma once
// Loading pictures into picture controls: the GIF pictures of the program
// folder (the main menu's logo) and the flag board's template bitmap.
#include <QImage>
#include <string>

class QLabel;

namespace landora {

class IEventPump;

// Reads the first image of a GIF file at its own size, with its background
// (the colour of the bottom-left pixel) made transparent. A null image when
// the file is missing, unreadable or not a GIF.
QImage LoadGif(const std::string &path);

// Shows the GIF file `name` of `folder` (the program folder by default) in
// the control. When the picture cannot be shown the player is told "Kunde
// inte visa bilden <name>." and the control keeps its previous picture.
// Returns whether the picture was shown.
bool ShowGif(QLabel *control, const std::string &name);
bool ShowGif(QLabel *control, const std::string &name, const std::string &folder);

// Reads a Windows bitmap (BMP) file. A null image when the file is missing,
// empty, not a bitmap, or shorter than its header says: a cut-off bitmap is
// not shown half black.
QImage LoadBitmap(const QString &path);

// The template bitmap at the control's size: its top-left part when the
// control is smaller, white beyond its edges when larger.
QImage TemplateAtSize(const QImage &templateBitmap, int width, int height);

// Lets pending events run (so the control has its final size), then makes a
// copy of the template bitmap at the control's size the control's picture.
// Returns that picture.
QImage CopyTemplate(QLabel *control, const QImage &templateBitmap, IEventPump *pump = nullptr);

} // namespace landora
