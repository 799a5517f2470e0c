#include "ProgressLayout.h"

namespace progress {

std::vector<skin::ItemSpec> ProgressItems() {
    std::vector<skin::ItemSpec> items(4);
    items[0].id = kIdClose;
    items[0].rect = {332, 9, 355, 45};
    items[1].id = kIdCancel;
    items[1].rect = {237, 201, 327, 235};
    items[1].captionZh = "取消";
    items[1].captionEn = "Cancel";

    items[2].id = kLabelWarning;
    items[2].rect = {42, 116, 333, 135};
    items[2].captionZh = "正在读写键盘，请勿插拔！";
    items[2].captionEn = "Keep the keyboard connected!";
    items[2].isLabel = true;

    items[3].id = kLabelTitle;
    items[3].rect = {100, 13, 266, 45};
    items[3].captionZh = "读写进度";
    items[3].captionEn = "Progress";
    items[3].isLabel = true;

    skin::ItemSpec cancelCaption;
    cancelCaption.id = kLabelCancel;
    cancelCaption.rect = {237, 209, 327, 235};
    cancelCaption.captionZh = "取消";
    cancelCaption.captionEn = "Cancel";
    cancelCaption.isLabel = true;
    items.push_back(cancelCaption);

    // Shown only while the job waits for an earlier transfer; hidden otherwise.
    skin::ItemSpec waiting;
    waiting.id = kLabelWaiting;
    waiting.rect = {42, 178, 333, 196};
    waiting.captionZh = "正在等待上一次读写结束…";
    waiting.captionEn = "Waiting for the previous transfer to end...";
    waiting.isLabel = true;
    waiting.fontIndex = 12;
    items.push_back(waiting);
    return items;
}

}  // namespace progress
