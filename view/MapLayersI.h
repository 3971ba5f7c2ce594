#pragma once

#include <QString>

#include <memory>

class MapLayerParamsI;

// A layer of the list before its file is read.
struct MapLayerInfo
{
    // The layer file, absolute; or an MBTiles file, which is a layer of
    // its own.
    QString path;
    // Stays with the layer for the life of the list.
    int id = -1;
};

// The map layers the user can choose from, in list order. Layer files are
// read when a layer is first asked for.
class MapLayersI
{
public:
    virtual ~MapLayersI() = default;

    virtual int GetCount() const = 0;
    // Null when the index is out of range.
    virtual const MapLayerInfo* GetLayerInfo(int index) const = 0;
    // -1 when the index is out of range.
    virtual int GetLayerId(int index) const = 0;
    // The index of the layer with the id, -1 when none has it.
    virtual int FindLayer(int id) const = 0;
    // The index of the first valid layer with the guid (any case), -1 when
    // none has it. Reads the layer files not read yet.
    virtual int FindByGuid(const QString& guid) = 0;
    // None when the index is out of range or the layer file did not load or
    // is not valid; a file is tried once.
    virtual std::shared_ptr<const MapLayerParamsI> GetParams(int index) = 0;
    // Adds a layer file (or an MBTiles file) at the end of the list, for
    // this run; the index of the layer, also when the file was there already.
    virtual int AddLayerFile(const QString& path) = 0;
};
