#include "MainTexts.h"

namespace texts {
namespace {

struct Entry {
    const char* chinese;
    const char* english;
};

Entry Lookup(Id id) {
    switch (id) {
        case Id::KeyboardNotConnected:
            return {"Keyboard is not connected!", "Keyboard is not connected!"};
        case Id::KeyboardOccupied:
            return {"Keyboard has be occupied!", "Keyboard has be occupied!"};
        case Id::KeyboardUnplugged:
            return {"Keyboard is not connected", "Keyboard is not connected"};
        case Id::TransferDone:
            return {"OK!!", "OK!!"};
        case Id::TransferFailed:
            return {"读写键盘失败，请检查键盘是否连接！",
                    "Failed!! The keyboard did not answer: check that it is connected."};
        case Id::ExitUnwritten:
            return {"配置未写入，是否继续退出??",
                    "Configuration don't be writted,continue to exit??"};
        case Id::ExitSaveQuestion:
            return {"是否保存按键配置文件??", "Save configuration file of key??"};
        case Id::TrayShow:
            return {"显示窗口", "Show"};
        case Id::TrayExit:
            return {"关闭", "Exit"};
        case Id::ProfileSaveFailed:
            return {"无法保存配置文件 %1：\n%2", "Cannot save the profile %1:\n%2"};
        case Id::ProfileLoadFailed:
            return {"无法打开配置文件 %1：\n%2\n当前配置没有改变。",
                    "Cannot open the profile %1:\n%2\nThe configuration is unchanged."};
        case Id::HelpUnavailable:
            return {"无法打开使用说明 %1。", "Cannot open the user guide %1."};
        case Id::ArtworkMissing:
            return {"界面图片缺失（%1）：%2\n程序将以空白界面运行。",
                    "The window pictures are missing (%1): %2\n"
                    "The program runs with blank faces."};
    }
    return {"", ""};
}

}  // namespace

QString Text(Id id, const std::string& language) {
    const Entry entry = Lookup(id);
    return QString::fromUtf8(language == "zh-CN" ? entry.chinese : entry.english);
}

}  // namespace texts
