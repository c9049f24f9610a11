#include <algorithm>
#include <exception>

#include "adding/picture_list.h"
#include "adding/scoped_flag.h"
#include "app/paths.h"
#include "app/trace.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

// The buffer a dropped name is read into, the terminating null included.
constexpr std::uint32_t kDropNameBuffer = 127;

// How deep the search goes below a folder whose subfolders are searched too.
constexpr int kMostFolderLevels = 16;

void SortByName(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string la = LowerAZ(a), lb = LowerAZ(b);
    return la != lb ? la < lb : a < b;
  });
}

// Adds the pictures in folder, in the order of their names, as the lower-cased
// folder + "\" + name; then those of its subfolders down to `levels` more
// levels (none when levels < 0). Every file is looked at and judged by its
// own extension: a search pattern would also match the short names.
void AddPicturesOf(FilePort& files, const std::string& folder, int levels, std::vector<std::string>& batch) {
  const std::string lower = LowerAZ(folder);
  std::vector<std::string> names = files.FindFiles(folder, "*");
  SortByName(names);
  for (const std::string& name : names) {
    if (IsPictureFile(name)) batch.push_back(lower + "\\" + name);
  }
  if (levels <= 0) return;
  std::vector<std::string> subfolders = files.FindFolders(folder);
  SortByName(subfolders);
  for (const std::string& sub : subfolders) AddPicturesOf(files, folder + "\\" + sub, levels - 1, batch);
}

}  // namespace

void TFrmMain::AddFiles(const std::vector<std::string>& files, bool confirm) {
  const ScopedFlag adding(adding_);
  std::string last;
  std::exception_ptr failure;
  if (!files.empty()) {
    if (confirm && ports_.prompts.Show("Add " + std::to_string(files.size()) + " files to list?", MessageCaption(),
                                       PromptKind::Confirmation, PromptButtons::YesNoCancel) != PromptAnswer::Yes) {
      return;
    }
    booBusy = true;
    booBatchUpdate = true;
    try {
      pbrProgress.Max = static_cast<int>(files.size()) - 1;
      pbrProgress.SetPosition(0);
      pbrProgress.SetVisible(true);
      frmItemInfo.BeginAddBatch(files.size() > 1);
      frmItemInfo.ProposalsBySize = !frmItemInfo.RememberedMode;
      const std::optional<DisplayMode> remembered = frmItemInfo.RememberedMode;
      for (std::size_t i = 0; i < files.size(); ++i) {
        // The program closed while a box was open: its last save is done,
        // and a file moved now would be missing from the saved list.
        if (closed_) break;
        AddPictureFile(files[i], remembered ? *remembered : ModeBySize(files[i]));
        last = files[i];
        pbrProgress.SetPosition(static_cast<int>(i));
      }
    } catch (...) {
      failure = std::current_exception();
    }
  }
  // Also after a failure: the flags must not keep the detection off for good.
  try {
    pbrProgress.SetVisible(false);
    ScheduleInventorySave(&app_);
    booBatchUpdate = false;
    if (!last.empty()) LocateInInventory(last);
    pbrProgress.SetPosition(0);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  booBatchUpdate = false;
  booBusy = false;
  if (failure) std::rethrow_exception(failure);
}

void TFrmMain::mnuAdd1Click(TObject* sender) {
  OpenFileRequest request;
  request.title = "Select Wallpaper Files to Import";
  request.initialDir = ImportDir;
  request.defaultExt = "bmp";
  request.filters = {{"Pictures (*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff)", PictureFilePattern()},
                     {"Bitmaps (*.bmp)", "*.bmp"},
                     {"All Files (*.*)", "*.*"}};
  request.mustExist = true;
  request.hideReadOnly = true;
  request.noTestFileCreate = true;
  try {
    const std::optional<std::vector<std::string>> chosen = ports_.dialogs.OpenFiles(request);
    if (chosen && !chosen->empty()) {
      AddFiles(*chosen, chkConfirmAdditions.Checked());
      ImportDir = StripTrailingBackslashes(ExtractFileDir(chosen->front()));
    }
  } catch (...) {
    ScheduleInventorySave(sender);
    throw;
  }
  ScheduleInventorySave(sender);
}

void TFrmMain::WMDropFiles(std::uintptr_t drop) {
  SendTrace(ports_.trace, "FrmMain: WMDropFiles", Handle);
  try {
    std::vector<std::string> pictures;
    std::vector<std::string> lists;
    const std::uint32_t count = ports_.shell.DropFileCount(drop);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint32_t length = ports_.shell.DropNameLength(drop, i);
      if (length >= kDropNameBuffer) {
        BringToForeground();
        ports_.prompts.Show("Error: Filename Buffer Too Small (" + std::to_string(length) + ")", MessageCaption(),
                            PromptKind::Error, PromptButtons::Ok);
        // Cut short, the name could be that of another file: it is not taken.
        continue;
      }
      std::string name = ports_.shell.DropName(drop, i, kDropNameBuffer);
      (SameTextAZ(ExtractFileExt(name), kPictureListExtension) ? lists : pictures).push_back(std::move(name));
    }
    if (!pictures.empty()) AddFiles(pictures, false);
    if (!lists.empty()) ImportPictureLists(lists);
  } catch (...) {
    ports_.shell.DropFinish(drop);
    throw;
  }
  ports_.shell.DropFinish(drop);
}

void TFrmMain::AddBitmapsInFolders(const std::vector<std::string>& folders, const std::vector<std::string>& trees) {
  std::vector<std::string> batch;
  for (const std::string& folder : folders) AddPicturesOf(ports_.files, folder, -1, batch);
  for (const std::string& tree : trees) AddPicturesOf(ports_.files, tree, kMostFolderLevels, batch);
  AddFiles(batch, false);
}

}  // namespace mvx
