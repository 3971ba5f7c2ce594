#pragma once

#include "TrackTreeInterfaces.h"

// A tree of files, folders and segments, each named by a tid unique within
// the tree. Handles share one tree: copying a TrackTree does not copy nodes.
class TrackTree
{
public:
    // firstTid: the tid the first node gets; later nodes count up from it.
    explicit TrackTree(int firstTid = 1);

    TrackTreeReaderPtr GetReader() const;
    TrackTreeCreatorPtr GetCreator() const;
    TrackTreeEditorPtr GetEditor() const;

private:
    std::shared_ptr<class TrackTreeImpl> m_impl;
};
