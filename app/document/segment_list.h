// The segments of one path. Almost every path holds a handful of anchors, so
// up to kInlineSegments live inside the list itself and only longer paths
// take memory from the heap. This keeps a document of a hundred thousand
// small paths free of per-path allocations.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>

#include "plugin/host/ai_art_suites.h"

namespace heart {

class SegmentList {
 public:
  static constexpr int32_t kInlineSegments = 4;

  SegmentList() = default;
  SegmentList(const SegmentList& other) { assign(other.data(), other.size()); }
  SegmentList& operator=(const SegmentList& other) {
    if (this != &other) assign(other.data(), other.size());
    return *this;
  }
  SegmentList(SegmentList&& other) noexcept { *this = std::move(other); }
  SegmentList& operator=(SegmentList&& other) noexcept {
    if (this == &other) return *this;
    if (other.heap_) {
      heap_ = std::move(other.heap_);
      capacity_ = other.capacity_;
    } else {
      heap_.reset();
      capacity_ = kInlineSegments;
      std::copy(other.inline_, other.inline_ + other.size_, inline_);
    }
    size_ = other.size_;
    other.size_ = 0;
    other.capacity_ = kInlineSegments;
    return *this;
  }

  int32_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  AIPathSegment* data() { return heap_ ? heap_.get() : inline_; }
  const AIPathSegment* data() const { return heap_ ? heap_.get() : inline_; }
  AIPathSegment& operator[](int32_t i) { return data()[i]; }
  const AIPathSegment& operator[](int32_t i) const { return data()[i]; }
  AIPathSegment* begin() { return data(); }
  AIPathSegment* end() { return data() + size_; }
  const AIPathSegment* begin() const { return data(); }
  const AIPathSegment* end() const { return data() + size_; }

  // Grows with zeroed segments or shrinks to `count`.
  void resize(int32_t count) {
    reserve(count);
    AIPathSegment* d = data();
    for (int32_t i = size_; i < count; ++i) d[i] = AIPathSegment{};
    size_ = count;
  }

  void assign(const AIPathSegment* segments, int32_t count) {
    reserve(count);
    std::copy(segments, segments + count, data());
    size_ = count;
  }

  void push_back(const AIPathSegment& segment) {
    if (size_ == capacity_) reserve(capacity_ * 2);
    data()[size_++] = segment;
  }

  // Gives heap memory back; the list is empty afterwards.
  void release() {
    heap_.reset();
    capacity_ = kInlineSegments;
    size_ = 0;
  }

  // Whether the segments live on the heap (for tests of memory use).
  bool onHeap() const { return heap_ != nullptr; }

 private:
  void reserve(int32_t count) {
    if (count > capacity_) grow(count);
  }
  // Moves the segments to a heap block of at least `count`; kept out of line
  // so that the common inline case stays small.
  void grow(int32_t count);

  AIPathSegment inline_[kInlineSegments] = {};
  std::unique_ptr<AIPathSegment[]> heap_;
  int32_t size_ = 0;
  int32_t capacity_ = kInlineSegments;
};

}  // namespace heart
