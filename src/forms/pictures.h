// The pictures of the console's windows, drawn at run time so the program carries no image files:
// the maker's logo, the edit and clear pictures of the logon window and the link pictures of the
// main window.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>

namespace dravn {

// The maker's logo: a flame mark and the name, on a transparent background.
QPixmap DrawMakerLogo(int width, int height);
// A pencil (edit the stored logons).
QPixmap DrawPencilPicture(int size, const QColor& color);
// A waste basket (remove the stored logons).
QPixmap DrawBasketPicture(int size, const QColor& color);
// A database drum with a short mark on it, for the links panel.
QPixmap DrawDatabasePicture(int size, const QColor& color, const QString& mark);

}  // namespace dravn
