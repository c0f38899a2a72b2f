// ScriptObject: instances of script classes; also the runtime's release loop that runs
// Class_Terminate and frees instances one after another instead of recursively.
#include "vbscript/ScriptObject.h"

#include "vbscript/Lexer.h"
#include "vbscript/Runtime.h"

namespace vbs {

ScriptObject::ScriptObject(std::shared_ptr<detail::InstanceData> data,
                           std::weak_ptr<detail::Runtime> rt)
    : data_(std::move(data)), runtime_(std::move(rt)) {
  script_ = this;
}

ScriptObject::~ScriptObject() {
  if (auto rt = runtime_.lock()) rt->releaseInstance(std::move(data_));
}

std::string ScriptObject::typeName() const { return data_->cls->name; }

int ScriptObject::findMember(std::string_view name, bool allowPrivate) const {
  const auto& index = data_->cls->memberIndex;
  const auto it = index.find(FoldCase(name));
  if (it == index.end()) return -1;
  if (!allowPrivate && !data_->cls->members[static_cast<std::size_t>(it->second)].isPublic) {
    return -1;
  }
  return it->second;
}

int ScriptObject::memberId(std::string_view name) {
  const int index = findMember(name, false);
  return index < 0 ? kUnknownMember : index + 1;
}

Variant ScriptObject::invoke(int memberId, InvokeKind kind, std::span<Variant> args) {
  auto rt = runtime_.lock();
  if (!rt) throw VbError(err::kObjectDoesntSupport);  // its engine is gone
  const int index = memberId == kDefaultMember ? data_->cls->defaultMember : memberId - 1;
  detail::Runtime::Entry entry(*rt);
  std::vector<Variant*> refs;
  refs.reserve(args.size());
  for (Variant& a : args) refs.push_back(&a);
  const auto keep = shared_from_this();
  return rt->invokeScript(*this, index, kind, refs, false);
}

namespace detail {

void Runtime::releaseInstance(std::shared_ptr<InstanceData> data) {
  pendingRelease_.push_back(std::move(data));
  if (releasing_) return;
  releasing_ = true;
  while (!pendingRelease_.empty()) {
    std::shared_ptr<InstanceData> next = std::move(pendingRelease_.back());
    pendingRelease_.pop_back();
    if (next->cls->terminate && !next->terminated) {
      next->terminated = true;
      try {
        Entry entry(*this);
        auto me = std::make_shared<ScriptObject>(next, weak_from_this());
        callProc(*next->cls->terminate, me.get(), {});
      } catch (...) {
        // An error in Class_Terminate has no one to report to; the object goes anyway.
        errorPlace_ = {};
      }
    }
    next.reset();  // frees the fields; instances they held queue up here
  }
  releasing_ = false;
}

}  // namespace detail
}  // namespace vbs
