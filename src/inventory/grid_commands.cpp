#include "adding/frm_export.h"
#include "app/trace.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

// Runs first what was there, then the addition.
TNotifyEvent Chained(TNotifyEvent first, TNotifyEvent then) {
  return [first = std::move(first), then = std::move(then)](TObject* sender) {
    if (first) first(sender);
    then(sender);
  };
}

constexpr int kScrollBarWidth = 16;  // the hidden scroll bar the window measures with
constexpr int kColumnWidthBase = 50;
constexpr int kStatusColumnWidth = 20;

}  // namespace

// The grid fills pnlGrid and shows cdtInventory; it and the properties
// dialog hear of every change of the records and every move of the view.
void TFrmMain::SetUpGrid() {
  dbgrdInventory.SetBounds(TDBGrid::kBorder, TDBGrid::kBorder, pnlGrid.Width() - 2 * TDBGrid::kBorder,
                           pnlGrid.Height() - 2 * TDBGrid::kBorder);
  dbgrdInventory.SetColumns(InventoryGridColumns());
  dbgrdInventory.SetSource(&gridSource_);
  dbgrdInventory.OnDblClick = [this](TObject* sender) { dbgrdInventoryDblClick(sender); };
  dbgrdInventory.OnContextPopup = [this](TObject* sender) { dbgrdInventoryContextPopup(sender); };

  auto dataChanged = [this](TObject*) {
    dbgrdInventory.DataChanged();
    frmProperties.ShowEntry();
  };
  for (TClientDataSet* data : {&cdtData, &cdtInventory}) {
    data->AfterOpen = Chained(data->AfterOpen, dataChanged);
    data->AfterPost = Chained(data->AfterPost, dataChanged);
    data->AfterDelete = Chained(data->AfterDelete, dataChanged);
  }
  // The row is selected before the preview loads, which may drop the entry.
  cdtInventory.AfterScroll = Chained(
      [this](TObject*) {
        dbgrdInventory.CurrentChanged();
        frmProperties.ShowEntry();
      },
      cdtInventory.AfterScroll);
  // A new size limit changes the size marks of every row.
  chkLimitImageSize.OnClick = Chained(chkLimitImageSize.OnClick, dataChanged);
  edtMaxImageSize.OnChange = Chained(edtMaxImageSize.OnChange, dataChanged);

  mnuEnabled1.OnClick = [this](TObject* sender) { mnuEnabled1Click(sender); };
  mnuDisplayMode1.OnChoose = [this](DisplayMode mode) { SetGridDisplayMode(mode); };
  mnuSetWallpaper1.OnClick = [this](TObject* sender) { mnuSetWallpaper1Click(sender); };
  mnuProperties1.OnClick = [this](TObject*) { ShowPropertiesDialog(); };
  mnuEdit1.OnClick = [this](TObject* sender) { mnuEdit1Click(sender); };

  frmProperties.btnFirst.OnClick = [this](TObject*) { cdtInventory.First(); };
  frmProperties.btnPrior.OnClick = [this](TObject*) { cdtInventory.Prior(); };
  frmProperties.btnNext.OnClick = [this](TObject*) { cdtInventory.Next(); };
  frmProperties.btnLast.OnClick = [this](TObject*) { cdtInventory.Last(); };
  frmProperties.btnDelete.OnClick = [this](TObject* sender) { DeleteFromNavigator(sender); };
}

void TFrmMain::SizeGridColumns() {
  int sum = kColumnWidthBase;
  int fileNameColumn = -1;
  const auto& columns = dbgrdInventory.Columns();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].fieldName == "FileName") {
      fileNameColumn = static_cast<int>(i);
      continue;
    }
    if (columns[i].fieldName == "Enabled" || columns[i].fieldName == "Display") {
      dbgrdInventory.SetColumnWidth(i, kStatusColumnWidth);
    }
    sum += columns[i].width;
  }
  if (fileNameColumn > 0) {
    dbgrdInventory.SetColumnWidth(static_cast<std::size_t>(fileNameColumn), gridClientWidth_ - kScrollBarWidth - sum);
  }
}

void TFrmMain::mnuGridPopup(TObject*) {
  const bool any = cdtInventory.Active() && !cdtInventory.IsEmpty();
  mnuEnabled1.SetChecked(any && cdtInventory.Fields().Enabled);
  mnuDisplayMode1.Show(any ? std::optional(cdtInventory.Fields().Display) : std::nullopt);
}

void TFrmMain::dbgrdInventoryContextPopup(TObject* sender) {
  mnuGridPopup(sender);
  ports_.shell.PopupMenuAtCursor(mnuGrid, Handle);
}

void TFrmMain::mnuEnabled1Click(TObject*) {
  if (!cdtInventory.Active() || cdtInventory.IsEmpty()) return;
  cdtInventory.Edit();
  cdtInventory.EditFields().Enabled = !cdtInventory.Fields().Enabled;
  cdtInventory.Post();
  mnuEnabled1.SetChecked(cdtInventory.Fields().Enabled);
  ScheduleInventorySave(&mnuEnabled1);
}

void TFrmMain::CycleDisplayModeClick(TObject*) {
  if (!cdtInventory.Active() || cdtInventory.IsEmpty()) return;
  SetGridDisplayMode(NextDisplayMode(cdtInventory.Fields().Display));
}

// Only the list changes; the desktop keeps its mode until the picture is set again.
void TFrmMain::SetGridDisplayMode(DisplayMode mode) {
  if (!cdtInventory.Active() || cdtInventory.IsEmpty()) return;
  cdtInventory.Edit();
  cdtInventory.EditFields().Display = mode;
  cdtInventory.Post();
  mnuDisplayMode1.Show(mode);
  ScheduleInventorySave(&mnuDisplayMode1.Item());
}

void TFrmMain::tbnFirstClick(TObject*) {
  cdtInventory.First();
}

void TFrmMain::tbnPrevClick(TObject*) {
  cdtInventory.Prior();
}

void TFrmMain::tbnNextClick(TObject*) {
  cdtInventory.Next();
}

void TFrmMain::tbnLastClick(TObject*) {
  cdtInventory.Last();
}

bool TFrmMain::FormKeyDown(std::uint16_t key, TShiftState shift) {
  SendTrace(ports_.trace, "FrmMain: FormKeyDown", Handle);
  if (!cdtInventory.Active() || pgMain.ActivePage() != &tsPreview) return false;
  if (key == keys::Return && shift == kAltOnly) {
    ShowPropertiesDialog();
    return true;
  }
  if (key == keys::Return && shift == kCtrlOnly) {
    dbgrdInventoryDblClick(&dbgrdInventory);
    return true;
  }
  if (key == keys::Delete && shift == kCtrlOnly) {
    tbnDeleteClick(&tbnDelete);
    return true;
  }
  if (key == keys::F11 && shift == TShiftState{true, true, true}) {
    ShowExportManager(DataDir(), ports_.files, ports_.prompts, cdtData, MessageCaption());
    return true;
  }
  if (!(shift == kNoShift)) return false;
  switch (key) {
    case keys::Space:
      ShowNextSlide();
      // The grid and the preview follow the new slide.
      cdtInventory.SetRecNo(cdtSlideShow.RecNo());
      break;
    case keys::F3:
      mnuEnabled1Click(&mnuEnabled1);
      break;
    case keys::F4:
      CycleDisplayModeClick(&mnuDisplayMode1.Item());
      break;
    case keys::F2:
      tbnMoveClick(&tbnMove);
      return true;
    case keys::Delete:
      tbnRemoveClick(&tbnRemove);
      return true;
    default:
      break;
  }
  return false;
}

void TFrmMain::ShowPropertiesDialog() {
  frmProperties.ShowEntry();
  ports_.prompts.ShowModal(frmProperties);
}

// The navigator's delete: asked first, and saved like every change of the list.
void TFrmMain::DeleteFromNavigator(TObject* sender) {
  if (!cdtInventory.Active() || cdtInventory.IsEmpty()) return;
  if (ports_.prompts.Show("Delete record?", MessageCaption(), PromptKind::Confirmation, PromptButtons::YesNo) !=
      PromptAnswer::Yes) {
    return;
  }
  cdtInventory.Delete();
  ScheduleInventorySave(sender);
}

}  // namespace mvx
