#pragma once

#include <QString>

// The name of a point field as the export writes it in a header, by the
// export's number of the field (PointFieldInfo::csv); empty for a number the
// export has no field for.
QString ExportFieldName(int field);
