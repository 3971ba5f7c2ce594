#pragma once

#include "TrackInfo.h"

#include <memory>
#include <vector>

// Reading a tree. The virtual root has tid -1: its children are the files.
class TrackTreeReaderI
{
public:
    virtual ~TrackTreeReaderI() = default;
    // Null when the tree has no node tid.
    virtual const TrackInfo::Node* GetNode(int tid) const = 0;
    // -1 for a file or an unknown tid.
    virtual int GetParent(int tid) const = 0;
    // Children in order; empty for a segment or an unknown tid.
    virtual const std::vector<int>& GetChildren(int tid) const = 0;
    virtual int GetFileCount() const = 0;
    virtual int GetNodeCount() const = 0;
};

// Filling a tree: what a loader uses. Every call returns the new node's tid.
class TrackTreeCreatorI
{
public:
    virtual ~TrackTreeCreatorI() = default;
    virtual int AddFile(const QString& name, const QString& fileName, int fileType) = 0;
    virtual int AddFolder(int parentTid, const QString& name) = 0;
    virtual int AddSegment(int parentTid, const QString& name) = 0;
    // A copy of a record (of any kind, with its own data such as a colour)
    // under parentTid at position index (-1 appends); the copy gets a new tid.
    virtual int AddNode(int parentTid, const TrackInfo::Node& record, int index = -1) = 0;
    // Keeps what the file holds beyond the tree with the node.
    virtual void SetNodeExtras(int tid, std::shared_ptr<const TrackInfo::NodeExtras> extras) = 0;
};

// Changing a tree: what the model and restructuring use.
class TrackTreeEditorI : public TrackTreeCreatorI
{
public:
    virtual void SetName(int tid, const QString& name) = 0;
    // Ignored for nodes that are not segments.
    virtual void SetSegmentColour(int tid, const RgbStruct& colour) = 0;
    // Ignored for nodes that are not files.
    virtual void SetFileName(int tid, const QString& fileName) = 0;
    // Removes the node and its whole subtree.
    virtual void Remove(int tid) = 0;
    // Moves a node (with its subtree) under newParent at index (-1 appends).
    // Refused (false) when newParent lies in the node's own subtree.
    virtual bool Move(int tid, int newParentTid, int index = -1) = 0;
    // Turns the order of a node's children around, in one step however
    // many there are.
    virtual void ReverseChildren(int tid) = 0;
};

using TrackTreeReaderPtr = std::shared_ptr<const TrackTreeReaderI>;
using TrackTreeCreatorPtr = std::shared_ptr<TrackTreeCreatorI>;
using TrackTreeEditorPtr = std::shared_ptr<TrackTreeEditorI>;
