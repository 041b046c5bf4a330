// The pages of rows a grid model keeps: at most `capacity` pages, the least recently used one dropped first.
// Pinned pages (rows a caller is waiting for) are never dropped; the cache may then hold more than its capacity
// until they are unpinned.
//
// Not thread-safe: owned and used by the model on the UI thread.
#pragma once

#include "grid/RowPage.h"

#include <cstddef>
#include <list>
#include <map>
#include <unordered_map>

namespace grid {

class PageCache {
public:
    explicit PageCache(std::size_t capacity);

    std::size_t capacity() const { return capacity_; }
    std::size_t size() const { return pages_.size(); }

    // The page, made the most recently used; null when it is not cached.
    const RowPage *find(int index);
    bool contains(int index) const { return pages_.count(index) != 0; }

    // Stores a page (replacing one of the same index), then drops unpinned pages beyond the capacity.
    void insert(RowPage page);
    void clear();

    // Pins are counted: a page pinned twice stays pinned until unpinned twice.
    void pin(int index);
    void unpin(int index);

private:
    void evict();

    struct Entry {
        RowPage page;
        std::list<int>::iterator use;
    };
    std::size_t capacity_;
    std::unordered_map<int, Entry> pages_;
    std::list<int> uses_;  // page indexes, most recently used first
    std::map<int, int> pins_;
};

}  // namespace grid
