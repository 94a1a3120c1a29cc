'use strict';
// Orders keys and names by their UTF-16 code units. String.localeCompare
// follows the machine's locale (Estonian puts Z before T, Lithuanian Y
// before J, Swedish Å after Z), so ties broken with it could shuffle areas,
// markers and lakes between machines; this order is the same everywhere.
function byText(a, b) {
  return a < b ? -1 : a > b ? 1 : 0;
}

module.exports = { byText };
