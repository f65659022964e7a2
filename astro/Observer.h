// Where on the Earth rising and setting are seen from.
#pragma once

namespace selenara {

// A place on the Earth's surface, degrees: longitude east of Greenwich
// positive, latitude north positive. Written with its field names, as in
// Observer{.Longitude = 8.85, .Latitude = 47.83}, so the two cannot trade places.
struct Observer {
    double Longitude = 0.0;
    double Latitude = 0.0;
};

}  // namespace selenara
