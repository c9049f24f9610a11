#include "ui/frm_main.h"

namespace mvx {

void TFrmMain::AddBitmapsInFolders(const std::vector<std::string>&) {}

}  // namespace mvx
