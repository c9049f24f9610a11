#include "inventory/dataset.h"

// The table engine is being written in dataset.cpp; this file goes then.
namespace mvx {
class InventoryTable {};
TClientDataSet::TClientDataSet(std::string name) : name_(std::move(name)) {}
TClientDataSet::~TClientDataSet() = default;
}  // namespace mvx
