// VariantArray: bounds, element addressing, ReDim and copying (see VariantArray.h).
#include "vbscript/VariantArray.h"

#include <new>
#include <utility>

#include "vbscript/Object.h"
#include "vbscript/VbError.h"

namespace vbs {
namespace {

// More elements than this is refused as out of memory rather than attempted; it also keeps
// the product of up to 60 dimension lengths from overflowing.
constexpr std::uint64_t kMaxElements = std::uint64_t{1} << 28;

std::size_t ElementCount(const std::vector<ArrayBound>& bounds) {
  if (bounds.empty() || bounds.size() > VariantArray::kMaxDimensions) {
    throw VbError(err::kSubscriptOutOfRange);
  }
  std::uint64_t count = 1;
  for (const ArrayBound& b : bounds) {
    const std::int64_t length = std::int64_t{b.upper} - b.lower + 1;
    if (length < 0) throw VbError(err::kSubscriptOutOfRange);
    if (length == 0) {
      count = 0;
      continue;
    }
    if (count != 0 && static_cast<std::uint64_t>(length) > kMaxElements / count) {
      throw VbError(err::kOutOfMemory);
    }
    if (count != 0) count *= static_cast<std::uint64_t>(length);
  }
  return static_cast<std::size_t>(count);
}

std::vector<Variant> MakeElements(std::size_t count) {
  try {
    return std::vector<Variant>(count);
  } catch (const std::bad_alloc&) {
    throw VbError(err::kOutOfMemory);
  }
}

// A value whose destruction would free a container: an array or an object held nowhere else.
bool HoldsLastContainer(const Variant& v) {
  if (v.isArray()) return v.array().use_count() == 1;
  return v.isObject() && v.object() && v.object().use_count() == 1;
}

}  // namespace

void ReleaseValues(std::vector<Variant>& values) {
  std::vector<Variant> pending;
  for (Variant& v : values) {
    if (HoldsLastContainer(v)) pending.push_back(std::exchange(v, Variant()));
  }
  while (!pending.empty()) {
    Variant last = std::move(pending.back());
    pending.pop_back();
    // Empty the container first, so that freeing it frees nothing deep.
    std::vector<Variant> inner;
    if (last.isArray()) {
      inner.swap(last.array()->elements());
    } else {
      last.object()->surrenderValues(inner);
    }
    for (Variant& v : inner) {
      if (HoldsLastContainer(v)) pending.push_back(std::exchange(v, Variant()));
    }
  }
}

VariantArray::~VariantArray() { ReleaseValues(elements_); }

VariantArray::VariantArray(std::vector<ArrayBound> bounds)
    : bounds_(std::move(bounds)), elements_(MakeElements(ElementCount(bounds_))) {}

std::shared_ptr<VariantArray> VariantArray::unallocated() {
  auto array = std::make_shared<VariantArray>(std::vector<ArrayBound>{{0, -1}});
  array->bounds_.clear();
  return array;
}

std::shared_ptr<VariantArray> VariantArray::withUpperBounds(
    const std::vector<std::int32_t>& uppers) {
  std::vector<ArrayBound> bounds;
  bounds.reserve(uppers.size());
  for (std::int32_t upper : uppers) bounds.push_back({0, upper});
  return std::make_shared<VariantArray>(std::move(bounds));
}

std::shared_ptr<VariantArray> VariantArray::fromValues(std::vector<Variant> values) {
  const auto count = static_cast<std::int64_t>(values.size());
  if (count > static_cast<std::int64_t>(kMaxElements)) throw VbError(err::kOutOfMemory);
  auto array = std::make_shared<VariantArray>(
      std::vector<ArrayBound>{{0, static_cast<std::int32_t>(count - 1)}});
  array->elements_ = std::move(values);
  return array;
}

std::int32_t VariantArray::lowerBound(int dimension) const {
  if (dimension < 1 || dimension > dimensions()) throw VbError(err::kSubscriptOutOfRange);
  return bounds_[static_cast<std::size_t>(dimension - 1)].lower;
}

std::int32_t VariantArray::upperBound(int dimension) const {
  if (dimension < 1 || dimension > dimensions()) throw VbError(err::kSubscriptOutOfRange);
  return bounds_[static_cast<std::size_t>(dimension - 1)].upper;
}

std::size_t VariantArray::offsetOf(std::span<const std::int32_t> indices) const {
  if (indices.size() != bounds_.size()) throw VbError(err::kSubscriptOutOfRange);
  std::size_t offset = 0;
  std::size_t stride = 1;
  for (std::size_t d = 0; d < bounds_.size(); ++d) {
    const ArrayBound& b = bounds_[d];
    if (indices[d] < b.lower || indices[d] > b.upper) throw VbError(err::kSubscriptOutOfRange);
    offset += static_cast<std::size_t>(std::int64_t{indices[d]} - b.lower) * stride;
    stride *= static_cast<std::size_t>(std::int64_t{b.upper} - b.lower + 1);
  }
  return offset;
}

Variant& VariantArray::at(std::span<const std::int32_t> indices) {
  return elements_[offsetOf(indices)];
}

const Variant& VariantArray::at(std::span<const std::int32_t> indices) const {
  return elements_[offsetOf(indices)];
}

void VariantArray::redim(std::vector<ArrayBound> bounds, bool preserve) {
  if (fixed_) throw VbError(err::kArrayFixedOrLocked);
  const std::size_t count = ElementCount(bounds);
  // ReDim Preserve of an array that has no dimensions yet simply gives it its first ones.
  if (!preserve || bounds_.empty()) {
    std::vector<Variant> fresh = MakeElements(count);
    bounds_ = std::move(bounds);
    elements_ = std::move(fresh);
    return;
  }
  // Preserve: every dimension but the last keeps its bounds, the last keeps its lower bound.
  if (bounds.size() != bounds_.size()) throw VbError(err::kSubscriptOutOfRange);
  for (std::size_t d = 0; d < bounds.size(); ++d) {
    const bool last = d + 1 == bounds.size();
    if (bounds[d].lower != bounds_[d].lower || (!last && bounds[d].upper != bounds_[d].upper)) {
      throw VbError(err::kSubscriptOutOfRange);
    }
  }
  // The last dimension varies slowest, so surviving elements keep their offsets.
  try {
    elements_.resize(count);
  } catch (const std::bad_alloc&) {
    throw VbError(err::kOutOfMemory);
  }
  bounds_ = std::move(bounds);
}

std::shared_ptr<VariantArray> VariantArray::deepCopy() const {
  auto copy = std::make_shared<VariantArray>(*this);
  copy->fixed_ = false;  // a copied array is dynamic, as an assigned one is in scripts
  for (Variant& element : copy->elements_) {
    if (element.isArray()) element = element.deepCopy();
  }
  return copy;
}

}  // namespace vbs
