#include "FirmwareTexts.h"

#include "BilingualText.h"
#include "model/FirmwareFileName.h"

using model::FirmwareFile;
using model::FirmwareFileProblem;
using model::FirmwareModelCaption;
using model::HexProblem;
using model::IntelHexCheck;
using model::kLargestFirmwareFile;

namespace firmware {
namespace {

using skin::BilingualText;

BilingualText Entry(Message message) {
    switch (message) {
        case Message::VersionFailed:
            return {"读取键盘版本失败", "Failed on reading keyboard version infomation"};
        case Message::Downloaded:
            return {
                "固件下载完成。\r\n请勿插拔USB直至三个状态指示灯同时闪烁则固件更新完成，请拔下USB"
                "重新上电。",
                "The Firmware is downloaded successfully.\r\nPlease keep the USB plug in until "
                "three indicator lights flash simultaneously.\r\nThen firmware updated "
                "completely,pleased unplug the USB and plug in."};
        case Message::DownloadFailed:
            return {"固件下载失败!", "Firmware download failed."};
        case Message::NoAnswer:
            return {"固件下载失败!\r\n键盘没有应答，未发送任何固件数据。",
                    "Firmware download failed.\r\nThe keyboard did not answer; no firmware was "
                    "sent."};
        case Message::CannotOpen:
            return {"打开固件文件失败", "Can't open firmware file"};
        case Message::DoesNotMatch:
            return {"The firmware does not match", "The firmware does not match"};
        case Message::Busy:
            return {"键盘正在传输数据，传输结束后才能读取版本。",
                    "The keyboard is busy with a transfer; the version can be read when it has "
                    "ended."};
        case Message::EarlierTransfer:
            return {"键盘仍在进行上一次传输，请在其结束后再更新固件。",
                    "The keyboard is still busy with an earlier transfer; start the update when "
                    "it has ended."};
        case Message::WaitForDownload:
            return {
                "固件正在下载。\r\n是否等待下载完成？\r\n（现在关闭不会中断下载，但将看不到下载"
                "结果。）",
                "The firmware is still being downloaded.\r\nWait for the download to "
                "finish?\r\n(Closing now does not stop it, but you will not see whether it "
                "succeeded.)"};
        case Message::BackupSaved:
            return {"下载固件前，键盘的按键和灯光颜色已保存到：\n%1",
                    "Before the download, the keyboard's keys and colours were saved to:\n%1"};
        case Message::BackupReadFailed:
            return {"下载固件前无法读取键盘的按键和灯光颜色。",
                    "The keyboard's keys and colours could not be read before the download."};
        case Message::BackupSaveFailed:
            return {"无法把键盘的按键和灯光颜色保存到 %1：\n%2",
                    "The keyboard's keys and colours could not be saved to %1:\n%2"};
        case Message::NoBackupQuestion:
            return {"新固件可能会恢复默认按键。是否在没有备份的情况下继续下载？",
                    "A new firmware may start from its default keys. Download without a backup?"};
        case Message::DownloadWithoutBackupButton:
            return {"不备份，继续下载", "Download without backup"};
        case Message::RestoreQuestion:
            return {"是否恢复您的按键和灯光颜色？", "Restore your keys and colours?"};
        case Message::Restored:
            return {"按键和灯光颜色已写回键盘。",
                    "Your keys and colours are on the keyboard again."};
        case Message::RestoreFailed:
            return {
                "按键和灯光颜色未能写回键盘。它们仍保存在：\n%"
                "1\n可以用“打开配置”打开，再写入键盘。",
                "Your keys and colours could not be written back. They are still saved "
                "in:\n%1\nOpen that profile and write it to the keyboard."};
    }
    return {"", ""};
}

// What is wrong with the records, naming the line. Every kind is worded here: a new kind does
// not compile until it is.
QString HexProblemText(const IntelHexCheck& check, const std::string& language) {
    BilingualText text{"", ""};
    bool namesDetail = false;  // the text's %2 is the number the problem names
    switch (check.problemKind) {
        case HexProblem::None:
            return QString();
        case HexProblem::NoColon:
            text = {"第 %1 行不是以“:”开头。", "Line %1 does not start with \":\"."};
            break;
        case HexProblem::NotHexPairs:
            text = {"第 %1 行含有非十六进制字符，或数字不成对。",
                    "Line %1 holds characters that are not pairs of hexadecimal digits."};
            break;
        case HexProblem::TooShort:
            text = {"第 %1 行太短，不是完整的记录。", "Line %1 is too short for a record."};
            break;
        case HexProblem::TooLongForReport:
            text = {"第 %1 行超出一个固件数据包的长度。",
                    "Line %1 is longer than one firmware report can carry."};
            break;
        case HexProblem::CountMismatch:
            text = {"第 %1 行的字节数 %2 与其长度不符。",
                    "Line %1: its byte count %2 does not match its length."};
            namesDetail = true;
            break;
        case HexProblem::BadChecksum:
            text = {"第 %1 行的校验和错误。", "Line %1: the checksum is wrong."};
            break;
        case HexProblem::UnknownType:
            text = {"第 %1 行的记录类型 %2 无法识别。", "Line %1: unknown record type %2."};
            namesDetail = true;
            break;
        case HexProblem::EndRecordCarriesData:
            text = {"第 %1 行的文件结束记录带有数据。",
                    "Line %1: the end-of-file record carries data."};
            break;
        case HexProblem::EmptyBeforeEnd:
            text = {"第 %1 行是空行，位于文件结束记录之前。",
                    "Line %1 is empty, before the end-of-file record."};
            break;
        case HexProblem::AfterEnd:
            text = {"第 %1 行位于文件结束记录之后。", "Line %1 follows the end-of-file record."};
            break;
        case HexProblem::NoData:
            text = {"第 %1 行的文件结束记录之前没有任何数据。",
                    "Line %1: the end-of-file record comes before any data."};
            break;
        case HexProblem::AddressRecordLength:
            text = {"第 %1 行：类型 %2 的地址记录长度错误。",
                    "Line %1: the address record of type %2 has the wrong length."};
            namesDetail = true;
            break;
        case HexProblem::OverlappingData:
            text = {"第 %1 行的数据与前面记录已写入的地址重叠。",
                    "Line %1: its data overlaps addresses an earlier record wrote."};
            break;
        case HexProblem::BeyondAddressSpace:
            text = {"第 %1 行的数据超出了 4 GiB 地址空间。",
                    "Line %1: its data runs past the 4 GiB address space."};
            break;
        case HexProblem::NoRecords:
            return BilingualText{"文件中没有任何记录。", "The file holds no records."}.in(language);
        case HexProblem::NoEndRecord:
            return BilingualText{"文件缺少文件结束记录。", "The file has no end-of-file record."}
                .in(language);
    }
    const QString worded = text.in(language).arg(check.line);
    return namesDetail ? worded.arg(check.detail) : worded;
}

// Why a file could not be read at all.
QString UnreadableText(const FirmwareFile& file, const QString& fileName,
                       const std::string& language) {
    switch (file.problem) {
        case FirmwareFileProblem::CannotOpen:
            return BilingualText{"无法读取 %1（%2）。", "%1 cannot be read (%2)."}.in(language).arg(
                fileName, QString::fromStdString(file.reason));
        case FirmwareFileProblem::NotRegularFile:
            return BilingualText{"%1 不是普通文件。", "%1 is not a regular file."}.in(language).arg(
                fileName);
        case FirmwareFileProblem::TooLarge:
            return BilingualText{"%1 太大（%2 字节），固件文件最多 %3 字节。",
                                 "%1 is too large (%2 bytes); a firmware file has at most %3 "
                                 "bytes."}
                .in(language)
                .arg(fileName)
                .arg(static_cast<qulonglong>(file.size))
                .arg(static_cast<qulonglong>(kLargestFirmwareFile));
        case FirmwareFileProblem::None:
        case FirmwareFileProblem::BadRecords:
            break;
    }
    return QString();
}

}  // namespace

QString Text(Message message, const std::string& language) {
    return Entry(message).in(language);
}

QString MismatchText(int deviceType, const std::string& language) {
    const QString model = QString::fromStdWString(std::wstring(FirmwareModelCaption(deviceType)));
    return BilingualText{"固件不匹配，请选择", "The firmware does not match,please select "}.in(
               language) +
           model;
}

QString RefusalText(const FirmwareFile& file, const QString& fileName,
                    const std::string& language) {
    if (file.problem == FirmwareFileProblem::BadRecords) {
        return BilingualText{"固件文件 %1 有误，未向键盘发送任何数据：\r\n%2",
                             "The firmware file %1 is damaged; nothing was sent to the "
                             "keyboard:\r\n%2"}
            .in(language)
            .arg(fileName, HexProblemText(file.check, language));
    }
    return Text(Message::CannotOpen, language) + QStringLiteral("\r\n") +
           UnreadableText(file, fileName, language);
}

}  // namespace firmware
