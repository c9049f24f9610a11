#include "ui/frm_main.h"

// Handlers whose files are being written; each moves to its own file.
namespace mvx {

}  // namespace mvx
