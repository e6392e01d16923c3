// Every window of the application carries the application's menu bar, since Linux
// desktops have no global one. The application controller says how a menu bar is
// made; windows ask for one when they are made.
#pragma once

#include <functional>

class QMainWindow;

void ZPSetWindowMenuInstaller(std::function<void(QMainWindow*)> installer);
// Gives `window` the application's menu bar; nothing without an installer (in tests).
void ZPInstallWindowMenu(QMainWindow* window);
