#pragma once
// The one circular, doubly linked list of the model (frames, sub-frames, regions,
// texts, pictures). T carries its own `prev` and `next`; an anchor item of the same
// class closes the ring, is never drawn, saved or selected, and an empty ring is the
// anchor linked to itself. The ring's owner creates, unlinks and destroys items; an
// item's destructor does not unlink itself.

#include <cstddef>
#include <iterator>
#include <memory>

namespace zv {

template <class T>
class Ring {
public:
    // Makes `item` a ring of its own (an empty ring when it is an anchor).
    static void LinkSelf(T* item) { item->prev = item->next = item; }

    static bool IsEmpty(const T* anchor) { return anchor->next == anchor; }

    // Links `item` right after `pos` and hands ownership to the ring.
    static T* InsertAfter(T* pos, std::unique_ptr<T> item) {
        T* it = item.release();
        it->prev = pos;
        it->next = pos->next;
        pos->next->prev = it;
        pos->next = it;
        return it;
    }

    // Links `item` as the last one of the ring anchored at `anchor`.
    static T* Append(T* anchor, std::unique_ptr<T> item) {
        return InsertAfter(anchor->prev, std::move(item));
    }

    // Joins the neighbours of `item` and gives the item back to the caller.
    static std::unique_ptr<T> Unlink(T* item) {
        item->prev->next = item->next;
        item->next->prev = item->prev;
        LinkSelf(item);
        return std::unique_ptr<T>(item);
    }

    // Unlinks and destroys every item; the anchor is left as an empty ring.
    static void DestroyAll(T* anchor) {
        while (!IsEmpty(anchor)) Unlink(anchor->next).reset();
    }

    static std::size_t Count(const T* anchor) {
        std::size_t n = 0;
        for (const T* p = anchor->next; p != anchor; p = p->next) ++n;
        return n;
    }

    // Forward (creation order) and backward (last to first) walks for range-for.
    template <class U, bool Forward>
    class Walk {
    public:
        class iterator {
        public:
            using iterator_category = std::forward_iterator_tag;
            using value_type = U*;
            using difference_type = std::ptrdiff_t;
            using pointer = U**;
            using reference = U*;
            explicit iterator(U* cur) : cur_(cur) {}
            U* operator*() const { return cur_; }
            iterator& operator++() {
                cur_ = Forward ? cur_->next : cur_->prev;
                return *this;
            }
            bool operator==(const iterator& o) const { return cur_ == o.cur_; }

        private:
            U* cur_;
        };
        explicit Walk(U* anchor) : anchor_(anchor) {}
        iterator begin() const { return iterator(Forward ? anchor_->next : anchor_->prev); }
        iterator end() const { return iterator(anchor_); }

    private:
        U* anchor_;
    };

    static Walk<T, true> Items(T* anchor) { return Walk<T, true>(anchor); }
    static Walk<const T, true> Items(const T* anchor) { return Walk<const T, true>(anchor); }
    static Walk<T, false> ItemsBackward(T* anchor) { return Walk<T, false>(anchor); }
    static Walk<const T, false> ItemsBackward(const T* anchor) {
        return Walk<const T, false>(anchor);
    }
};

}  // namespace zv
