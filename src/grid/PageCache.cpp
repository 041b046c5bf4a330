#include "grid/PageCache.h"

#include <algorithm>

namespace grid {

PageCache::PageCache(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

const RowPage *PageCache::find(int index) {
    const auto it = pages_.find(index);
    if (it == pages_.end())
        return nullptr;
    uses_.splice(uses_.begin(), uses_, it->second.use);
    return &it->second.page;
}

void PageCache::insert(RowPage page) {
    const int index = page.index;
    const auto it = pages_.find(index);
    if (it != pages_.end()) {
        it->second.page = std::move(page);
        uses_.splice(uses_.begin(), uses_, it->second.use);
    } else {
        uses_.push_front(index);
        pages_.emplace(index, Entry{std::move(page), uses_.begin()});
    }
    evict();
}

void PageCache::evict() {
    auto it = uses_.end();
    while (pages_.size() > capacity_ && it != uses_.begin()) {
        --it;
        if (pins_.count(*it))
            continue;
        pages_.erase(*it);
        it = uses_.erase(it);
    }
}

void PageCache::clear() {
    pages_.clear();
    uses_.clear();
    pins_.clear();
}

void PageCache::pin(int index) { ++pins_[index]; }

void PageCache::unpin(int index) {
    const auto it = pins_.find(index);
    if (it == pins_.end())
        return;
    if (--it->second <= 0)
        pins_.erase(it);
    evict();
}

}  // namespace grid
