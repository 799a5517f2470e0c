// z9rt_virtual_keyboard_demo [single|combo] [zh-CN|en-US] [HW code]: opens the virtual keyboard
// on its own, as the key settings dialog opens it, with the pictures of the resource file beside
// the program, and prints the result when it closes. The HW code is the key preselected in
// single mode. For screenshots and for trying the window by hand.
#include "OrvoDialogVirtual.h"
#include "SkinResources.h"
#include "VirtualKeyboardLayout.h"
#include "model/KeyboardConfig.h"

#include <QApplication>
#include <QScreen>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using model::CKeyboardConfig;
using model::kLanguageEnglish;
using model::VirtualPick;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const bool combination = argc > 1 && std::strcmp(argv[1], "combo") == 0;
    CKeyboardConfig config;
    config.BuildCodeTables();
    config.language = argc > 2 ? argv[2] : kLanguageEnglish;
    const QScreen* screen = QGuiApplication::primaryScreen();
    config.scaleFactor =
        screen != nullptr
            ? std::max(1.0F, static_cast<float>(screen->geometry().height()) / 1080.0F)
            : 1.0F;

    skin::SkinResources resources;
    if (!resources.loadResourceFile(QCoreApplication::applicationDirPath() +
                                    QStringLiteral("/Z9RT(PRSM)BleRES.rcc"))) {
        std::fprintf(stderr, "no resource file beside the program: blank faces\n");
    }

    OrvoDialogVirtual keyboard(resources, config.language, config.scaleFactor, config, nullptr);
    keyboard.selectMode = combination ? virtualkbd::kModeCombination : virtualkbd::kModeSingle;
    if (!combination && argc > 3) {
        keyboard.picked.single = std::atoi(argv[3]);
    }
    const int result = keyboard.exec();
    const VirtualPick& picked = keyboard.picked;
    std::printf("result=%d single=%d combo=", result, picked.single);
    for (int n = 0; n < picked.comboCount; ++n) {
        std::printf("%s%d", n == 0 ? "" : ",", picked.combo[static_cast<std::size_t>(n)]);
    }
    std::printf(" count=%d\n", picked.comboCount);
    return 0;
}
