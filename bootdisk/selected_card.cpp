#include "bootdisk/selected_card.h"

#include "library/card_device_name.h"
#include "text/cp936_path.h"

const NicEntry* SelectedCardForBuild(MainView& view, const NicList& nicList) {
  const NicEntry* card = nicList.FindByRow(view.SelectedRow());
  if (card == nullptr) view.ShowAppMessage("找不到所选网卡的驱动程序，启动盘没有创建完成！");
  return card;
}

std::string MediaCardOf(const NicEntry& card, MediaCard* media) {
  const CardDeviceName device = DeviceNameOfCard(card.driverPath);
  media->driverFileName = cp936::FileNameOf(card.driverPath);
  media->deviceName = device.name;
  return CheckDeviceName(device, card.driverPath);
}
