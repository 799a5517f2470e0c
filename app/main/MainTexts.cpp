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
            return {"键盘未连接！", "Keyboard is not connected!"};
        case Id::KeyboardOccupied:
            return {"键盘被占用！", "Keyboard has be occupied!"};
        case Id::KeyboardUnplugged:
            return {"键盘未连接", "Keyboard is not connected"};
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
        case Id::GoOnWithoutKeyboard:
            return {"可以不使用键盘继续：编辑、打开和保存配置都可以使用，只是不能读写键盘。",
                    "You can go on without the keyboard: editing, Open and Save work; nothing "
                    "is read from the keyboard or written to it."};
        case Id::GoOnWithoutKeyboardButton:
            return {"不使用键盘继续", "Go on without keyboard"};
        case Id::QuitButton:
            return {"退出", "Quit"};
        case Id::KeyboardNotUsable:
            return {
                "键盘无法使用（被其他程序占用或没有应答），不能读写键盘。\n"
                "编辑、打开和保存配置仍可使用。关闭占用键盘的程序后重新启动本程序，即可使用键盘。",
                "The keyboard cannot be used (another program holds it, or it does not "
                "answer): nothing can be read from it or written to it.\n"
                "Editing, Open and Save still work. Close the other program and start this "
                "one again to use the keyboard."};
        case Id::UnpluggedSaveQuestion:
            return {"有修改尚未写入键盘。程序结束前，是否把配置保存为配置文件?",
                    "There are changes that were not written to the keyboard. Save the "
                    "configuration to a profile before the program ends?"};
        case Id::SaveButton:
            return {"保存", "Save"};
        case Id::QuitWithoutSavingButton:
            return {"不保存，退出", "Quit without saving"};
        case Id::WriteOverUnseenKeys:
            return {
                "窗口显示的是本型号的默认按键，而不是键盘中现有的按键。现在写入，"
                "默认按键会覆盖键盘上所有您在这里没有修改过的按键。\n\n"
                "先读取键盘：读入键盘中的按键，保留您在这里的修改，然后写入。",
                "The keys shown are the model's defaults, not the keys the keyboard holds. "
                "Writing now puts the defaults over every key you have not changed here.\n\n"
                "Read keyboard first: takes the keyboard's keys, keeps the changes you made "
                "here, then writes."};
        case Id::ReadKeyboardFirstButton:
            return {"先读取键盘", "Read keyboard first"};
        case Id::WriteAnywayButton:
            return {"仍然写入", "Write anyway"};
        case Id::HeatLowest:
            return {"最少：%1", "Lowest: %1"};
        case Id::HeatHighest:
            return {"最多：%1", "Highest: %1"};
        case Id::VerifyFailed:
            return {"校验失败！！键盘中以下按键与写入的不同：\n%1",
                    "Verify failed!! The keyboard does not hold what was written for:\n%1"};
        case Id::VerifyReadFailed:
            return {"按键已写入，但无法读回校验，请检查键盘是否连接！",
                    "Failed!! The keys were written, but they could not be read back to verify "
                    "them: check that the keyboard is connected."};
        case Id::UnsavedMark:
            return {"未保存", "unsaved"};
        case Id::UnwrittenMark:
            return {"未写入键盘", "not written to the keyboard"};
        case Id::HeatNoCounts:
            return {"还没有敲击次数：请点击“读取计数”", "No press counts yet: click ReadCounter"};
    }
    return {"", ""};
}

}  // namespace

QString Text(Id id, const std::string& language) {
    const Entry entry = Lookup(id);
    return QString::fromUtf8(language == "zh-CN" ? entry.chinese : entry.english);
}

}  // namespace texts
