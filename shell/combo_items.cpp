#include "shell/combo_items.h"

std::vector<std::u16string> SearchModeItems(const std::u16string& qlcodePath) {
  std::vector<std::u16string> items = {u"広域図検索", u"中域図検索", u"小域図検索", u"詳細図検索",
                                       u"電話番号検索(ネット接続)"};
  if (!qlcodePath.empty()) items.push_back(u"QLCode検索");
  return items;
}

std::vector<std::u16string> CategoryItems(int qlcodeVersion) {
  if (qlcodeVersion == 2) return {u"イベント", u"温泉", u"見る", u"食べる", u"買う", u"泊まる", u"遊ぶ"};
  return {u"タウン", u"レジャー・スポーツ", u"温泉",      u"祭り・イベント", u"自然地形", u"食べる", u"買う",
          u"泊まる", u"文化施設",           u"名所・旧跡"};
}
