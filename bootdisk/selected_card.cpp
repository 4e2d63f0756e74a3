#include "bootdisk/selected_card.h"

const NicEntry* SelectedCardForBuild(MainView& view, const NicList& nicList) {
  const NicEntry* card = nicList.FindByRow(view.SelectedRow());
  if (card == nullptr) view.ShowAppMessage("找不到所选网卡的驱动程序，启动盘没有创建完成！");
  return card;
}
