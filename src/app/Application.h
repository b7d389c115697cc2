#pragma once

class QApplication;

// What every window of the program shares, whatever the desktop and its locale: Qt's own texts
// (standard buttons, the layer's error box, dialogs) in Chinese like the rest of the interface, the one
// font of the window, and the program's icon.
void PrepareApplication(QApplication& app);
