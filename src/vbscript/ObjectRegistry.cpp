// The runtime's register of the instances and objects it made: what they still hold is let
// go when the runtime goes, so that objects holding each other are freed with the engine.
#include <algorithm>
#include <utility>

#include "vbscript/Runtime.h"
#include "vbscript/ScriptObject.h"
#include "vbscript/VariantArray.h"

namespace vbs::detail {

void Runtime::track(const std::shared_ptr<InstanceData>& data) {
  trackedInstances_.push_back(data);
  if (trackedInstances_.size() + trackedObjects_.size() >= pruneTrackedAt_) pruneTracked();
}

void Runtime::track(const std::shared_ptr<Object>& object) {
  trackedObjects_.push_back(object);
  if (trackedInstances_.size() + trackedObjects_.size() >= pruneTrackedAt_) pruneTracked();
}

// Drops the entries of what is gone. Run when the register has doubled since the last time,
// so that it costs a constant time per entry and stays within twice what is alive.
void Runtime::pruneTracked() {
  const auto gone = [](const auto& weak) { return weak.expired(); };
  std::erase_if(trackedInstances_, gone);
  std::erase_if(trackedObjects_, gone);
  pruneTrackedAt_ = std::max<std::size_t>(1024, 2 * (trackedInstances_.size() + trackedObjects_.size()));
}

// The runtime is going: no script runs any more (an instance freed now finds no runtime, so
// no Class_Terminate runs), and every value an instance or object still holds is let go.
void Runtime::letGoOfHeldValues() {
  std::vector<Variant> held;
  for (const auto& weak : trackedInstances_) {
    if (const auto data = weak.lock()) {
      for (Variant& field : data->fields) held.push_back(std::exchange(field, Variant()));
    }
  }
  for (const auto& weak : trackedObjects_) {
    if (const auto object = weak.lock()) object->surrenderValues(held);
  }
  trackedInstances_.clear();
  trackedObjects_.clear();
  ReleaseValues(held);  // long chains are freed in a loop
}

}  // namespace vbs::detail
