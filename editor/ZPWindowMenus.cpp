#include "ZPWindowMenus.h"

namespace {

std::function<void(QMainWindow*)>& installer() {
    static std::function<void(QMainWindow*)> f;
    return f;
}

} // namespace

void ZPSetWindowMenuInstaller(std::function<void(QMainWindow*)> f) {
    installer() = std::move(f);
}

void ZPInstallWindowMenu(QMainWindow* window) {
    if (installer() && window)
        installer()(window);
}
