#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

// Where and how large the main window was left, kept as text in the catalogue's option table.
struct WindowPlace {
    // The window's own area (without the frame) when it is neither maximised nor minimised.
    QRect normal;
    bool maximised = false;
};

// "x,y,width,height,maximised" with maximised 1 or 0.
QString WindowPlaceText(const WindowPlace& place);
// None for a text of another form or an empty area.
std::optional<WindowPlace> ReadWindowPlace(const QString& text);

// Splitter sizes or column widths, "150,40,50".
QString SizesText(const QList<int>& sizes);
// Exactly count numbers of at least 0, else none (the layout they were kept for has changed).
std::optional<QList<int>> ReadSizes(const QString& text, qsizetype count);

// The area moved, and made smaller where it must, so that it lies wholly on the screen's
// available area: a window left on a screen that is gone, or on a larger one, comes back in view.
QRect FitOnScreen(const QRect& wanted, const QRect& available);
