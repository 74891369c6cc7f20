#include "xml/element_index.h"

#include <algorithm>

void ElementRecord::SetLevel(uint32_t level) {
    flagsAndLevel = (flagsAndLevel & ~kLevelMask) | std::min(level, kLevelMask);
}

void ElementIndex::Reset(size_t expected) {
    records_.clear();
    records_.reserve(std::max<size_t>(expected, 1));
    records_.emplace_back();
}

int32_t ElementIndex::Add() {
    if (records_.size() == records_.capacity()) {
        records_.reserve(records_.capacity() + records_.capacity() / 2 + 1);
    }
    records_.emplace_back();
    return Count() - 1;
}

void ElementIndex::AppendChild(int32_t parent, int32_t child) {
    ElementRecord& parentRecord = (*this)[parent];
    ElementRecord& childRecord = (*this)[child];
    childRecord.parent = parent;
    childRecord.next = 0;
    if (parentRecord.firstChild == 0) {
        parentRecord.firstChild = child;
        childRecord.previous = child;
        childRecord.flagsAndLevel |= ElementRecord::kFirstChild;
        return;
    }
    ElementRecord& first = (*this)[parentRecord.firstChild];
    const int32_t last = first.previous;
    (*this)[last].next = child;
    childRecord.previous = last;
    first.previous = child;
}

void ElementIndex::InsertAfter(int32_t sibling, int32_t element) {
    ElementRecord& siblingRecord = (*this)[sibling];
    ElementRecord& record = (*this)[element];
    record.parent = siblingRecord.parent;
    record.previous = sibling;
    record.next = siblingRecord.next;
    if (siblingRecord.next != 0) {
        (*this)[siblingRecord.next].previous = element;
    } else {
        (*this)[(*this)[record.parent].firstChild].previous = element;
    }
    siblingRecord.next = element;
}

void ElementIndex::HoistChildren(int32_t element) {
    ElementRecord& record = (*this)[element];
    const int32_t first = record.firstChild;
    if (first == 0) {
        return;
    }
    const int32_t last = (*this)[first].previous;
    for (int32_t child = first; child != 0; child = (*this)[child].next) {
        (*this)[child].parent = record.parent;
    }
    (*this)[first].flagsAndLevel &= ~ElementRecord::kFirstChild;
    (*this)[first].previous = element;
    const int32_t after = record.next;
    (*this)[last].next = after;
    if (after != 0) {
        (*this)[after].previous = last;
    } else {
        (*this)[(*this)[record.parent].firstChild].previous = last;
    }
    record.next = first;
    record.firstChild = 0;
}

void ElementIndex::ComputeLevels() {
    records_[0].SetLevel(0);
    for (ElementRecord& record : records_) {
        if (&record != &records_[0]) {
            record.SetLevel(records_[static_cast<size_t>(record.parent)].Level() + 1);
        }
    }
}

void ElementIndex::Shift(int32_t offset, int32_t removed, int32_t delta) {
    records_[0].length += delta;
    for (size_t i = 1; i < records_.size(); ++i) {
        ElementRecord& record = records_[i];
        if (record.start >= offset + removed) {
            record.start += delta;
        } else if (record.start < offset && offset < record.End()) {
            record.length += delta;
        }
    }
}
