#include "bootdisk/media_card.h"

#include "fat/dos_name.h"
#include "library/card_device_name.h"
#include "text/cp936_path.h"

std::string MediaCardOf(const CardEntry& card, MediaCard* media, std::string* reason) {
  std::string unused;
  if (reason == nullptr) reason = &unused;
  media->driverFileName = cp936::FileNameOf(card.driverPath);
  std::string shortName;
  if (!fat::ShortNameOf(media->driverFileName, &shortName)) {
    *reason = "驱动程序的文件名" + media->driverFileName + "不是DOS的8.3文件名，DOS无法加载它";
    return "网卡驱动程序的文件名" + media->driverFileName +
           "不是DOS的8.3文件名（主名最多8个字符，扩展名最多3个字符，不能有空格等字符），"
           "DOS无法加载它，所以不能放进启动盘或启动镜像！请把驱动程序改名，并同时改写它的INI文件。";
  }
  const CardDeviceName device = DeviceNameOfCard(card.driverPath);
  media->deviceName = device.name;
  return CheckDeviceName(device, card.driverPath, reason);
}
