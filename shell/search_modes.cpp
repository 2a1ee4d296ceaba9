#include "shell/search_modes.h"

bool IsMapDataMode(int mode) { return mode >= kModeLevelL && mode <= kModeLevelS; }

int SearchModeOrDefault(int selected) {
  return selected >= kModeLevelL && selected <= kModeQLCode ? selected : kModeLevelL;
}

int TermControlForMode(int mode) { return mode == kModeQLCode ? IDC_CATEGORY_COMBO : IDC_SEARCH_EDIT; }

MeshLevel MeshLevelForMode(int mode, int mapApplicationVersion) {
  switch (mode) {
    case kModeLevelL:
      return MeshLevel::L;
    case kModeLevelM:
      return MeshLevel::M;
    case kModeLevelR:
      return MeshLevel::R;
    default:
      return SLayoutFor(mapApplicationVersion);
  }
}

int MapTypeForMode(int mode) {
  switch (mode) {
    case kModeLevelM:
      return 8;
    case kModeLevelR:
      return 5;
    case kModeLevelS:
      return 1;
    default:
      return 10;
  }
}

std::u16string CardMapFolder(const std::u16string& storageCardName) {
  return u"\\" + storageCardName + u"\\Varnelle\\Map\\";
}
