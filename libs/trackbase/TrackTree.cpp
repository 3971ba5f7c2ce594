#include "TrackTree.h"

#include "TrackTreeImpl.h"

TrackTree::TrackTree(int firstTid)
    : m_impl(std::make_shared<TrackTreeImpl>(firstTid))
{
}

TrackTreeReaderPtr TrackTree::GetReader() const
{
    return m_impl;
}

TrackTreeCreatorPtr TrackTree::GetCreator() const
{
    return m_impl;
}

TrackTreeEditorPtr TrackTree::GetEditor() const
{
    return m_impl;
}
