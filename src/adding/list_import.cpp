#include <exception>

#include "adding/picture_list.h"
#include "adding/scoped_flag.h"
#include "app/error.h"
#include "app/paths.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

// "File not found to import" is told for this many lines of a list at most.
constexpr int kMostImportMessages = 10;

}  // namespace

void TFrmMain::ImportPictureLists(const std::vector<std::string>& lists) {
  const ScopedFlag adding(adding_);
  booBusy = true;
  booBatchUpdate = true;
  std::exception_ptr failure;
  try {
    // All pictures of all the lists are one batch.
    frmItemInfo.BeginAddBatch(true);
    for (const std::string& list : lists) {
      if (closed_) break;  // the program closed while a box was open: its last save is done
      ImportPictureList(list);
    }
  } catch (...) {
    failure = std::current_exception();
  }
  // Also after a failure: the flags must not keep the detection off for good.
  try {
    pbrProgress.SetVisible(false);
    ScheduleInventorySave(&app_);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  booBatchUpdate = false;
  booBusy = false;
  if (failure) std::rethrow_exception(failure);
}

void TFrmMain::ImportPictureList(const std::string& list) {
  if (!ports_.files.FileExists(list)) return;
  std::string text;
  if (const Status read = ports_.files.ReadAll(list, text); !read) {
    throw AppError("Unable to read the picture list " + list + " (" + read.Describe() + ")");
  }
  const std::string folder = StripTrailingBackslashes(ExtractFileDir(list));
  // A list of many bad lines tells the first few one by one and counts the rest.
  int notFound = 0;
  for (const PictureListItem& item : ParsePictureList(text)) {
    if (closed_) return;
    const std::string path = folder + "\\" + item.name;
    // A list names files of its own folder only: a name that leads anywhere
    // else is not looked for at all.
    const ListedName kind = ClassifyListedName(item.name);
    if (kind == ListedName::OutsideFolder || !ports_.files.FileExists(path)) {
      if (++notFound <= kMostImportMessages) {
        ports_.prompts.Show("File not found to import: " + path, MessageCaption(), PromptKind::Error,
                            PromptButtons::Ok);
      }
    } else if (kind == ListedName::NotAPicture) {
      ports_.prompts.Show("Error: " + item.name + " is not a supported file type.", MessageCaption(), PromptKind::Error,
                          PromptButtons::Ok);
    } else {
      // The list carries each picture's own mode: it is what the dialog
      // proposes for this picture, and what it takes once the user applied
      // the other choices to all remaining files.
      frmItemInfo.CheckDisplayMode(item.mode);
      AddPictureFile(path, item.mode);
    }
  }
  if (notFound > kMostImportMessages) {
    ports_.prompts.Show(std::to_string(notFound - kMostImportMessages) + " more lines could not be imported.",
                        MessageCaption(), PromptKind::Error, PromptButtons::Ok);
  }
}

}  // namespace mvx
