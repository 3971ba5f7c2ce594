#pragma once

#include "RgbStruct.h"

#include <QString>

#include <QByteArray>

#include <memory>
#include <utility>
#include <vector>

// The node records of a track tree: a whole file, a folder inside it, or a
// segment, which owns one point array.
namespace TrackInfo {

enum Kind {
    KindFile = 0,
    KindFolder = 1,
    KindSegment = 2,
};

// What a file holds beyond the tree (a GPX file's metadata, waypoints,
// routes and extensions; a track's description), kept as GPX 1.1 markup so
// that saving writes it back. head goes before the node's children, tail
// after them; namespaces are the (prefix, URI) pairs the markup uses.
struct NodeExtras
{
    QByteArray head;
    QByteArray tail;
    std::vector<std::pair<QByteArray, QByteArray>> namespaces;

    bool IsEmpty() const { return head.isEmpty() && tail.isEmpty(); }
};

class Node
{
public:
    virtual ~Node() = default;
    virtual Kind GetKind() const = 0;
    virtual std::unique_ptr<Node> Clone() const = 0;

    int GetTid() const { return m_tid; }
    void SetTid(int tid) { m_tid = tid; }
    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }

    // Null when the node has nothing beyond the tree.
    const std::shared_ptr<const NodeExtras>& GetExtras() const { return m_extras; }
    void SetExtras(std::shared_ptr<const NodeExtras> extras) { m_extras = std::move(extras); }

protected:
    Node() = default;
    Node(const Node&) = default;
    Node& operator=(const Node&) = default;

private:
    int m_tid = -1;
    QString m_name;
    std::shared_ptr<const NodeExtras> m_extras;
};

class WholeFile : public Node
{
public:
    Kind GetKind() const override { return KindFile; }
    std::unique_ptr<Node> Clone() const override { return std::make_unique<WholeFile>(*this); }

    // Path the file was read from or last saved to; empty for a new file.
    const QString& GetFileName() const { return m_fileName; }
    void SetFileName(const QString& fileName) { m_fileName = fileName; }
    // TrackFileType of the file as read.
    int GetFileType() const { return m_fileType; }
    void SetFileType(int type) { m_fileType = type; }

private:
    QString m_fileName;
    int m_fileType = 0;
};

class Folder : public Node
{
public:
    Kind GetKind() const override { return KindFolder; }
    std::unique_ptr<Node> Clone() const override { return std::make_unique<Folder>(*this); }
};

class Segment : public Node
{
public:
    Kind GetKind() const override { return KindSegment; }
    std::unique_ptr<Node> Clone() const override { return std::make_unique<Segment>(*this); }

    // COLORREF of the segment; unset until the model assigns one.
    const RgbStruct& GetColour() const { return m_colour; }
    void SetColour(const RgbStruct& colour) { m_colour = colour; }

private:
    RgbStruct m_colour;
};

} // namespace TrackInfo
