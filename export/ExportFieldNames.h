#pragma once

#include <QString>

// The name of a point field (PointFieldsId) as the export writes it in a
// header; empty for a field the export has no name for.
QString ExportFieldName(int field);
