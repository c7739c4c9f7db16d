#pragma once
// The setter of a retained node property: holding the same node again changes nothing;
// otherwise the new node is retained, the old one released, and the new one stored.

template <class T> void retainInto(T*& slot, T* node) {
    if (slot == node) {
        return;
    }
    if (node) {
        node->retain();
    }
    if (slot) {
        slot->release();
    }
    slot = node;
}
