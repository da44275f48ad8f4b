// SPDX-License-Identifier: GPL-3.0-or-later
// How far from a postal code's point the demo directory may place a pin and
// stay on land, for the water the map draws (water.mjs). A zip code by a
// bay or a lake otherwise scatters its invented businesses into the water.
const BAND = 0.05; // degrees of latitude per band of the edge index
// The farthest a demo pin strays from its point, in degrees, and the steps
// by which that stray is shrunk until it stays on land.
const STRAY_LAT = 0.004;
const STRAY_LNG = 0.005;
const STEPS = [1, 0.5, 0.25, 0.1];

const bandOf = (lat) => Math.floor(lat / BAND);

// Every edge of every ring, filed under the bands of latitude it crosses,
// with the polygon it belongs to: a point is in water when it is inside one
// polygon, and polygons may overlap (a lake in a bay).
function indexEdges(water) {
  const bands = new Map();
  water.coordinates.forEach((polygon, id) => {
    for (const ring of polygon)
      for (let i = 1; i < ring.length; i += 1) {
        const a = ring[i - 1];
        const b = ring[i];
        for (let band = bandOf(Math.min(a[1], b[1])); band <= bandOf(Math.max(a[1], b[1])); band += 1) {
          if (!bands.has(band)) bands.set(band, []);
          bands.get(band).push([a[0], a[1], b[0], b[1], id]);
        }
      }
  });
  return bands;
}

function inWater(bands, lng, lat) {
  const odd = new Set();
  for (const [ax, ay, bx, by, id] of bands.get(bandOf(lat)) || [])
    if ((ay > lat) !== (by > lat) && lng < ((bx - ax) * (lat - ay)) / (by - ay) + ax)
      if (odd.has(id)) odd.delete(id);
      else odd.add(id);
  return odd.size > 0;
}

// Whether the segment crosses the box; Liang-Barsky clipping.
function crosses([ax, ay, bx, by], [west, south, east, north]) {
  let from = 0;
  let to = 1;
  const dx = bx - ax;
  const dy = by - ay;
  for (const [p, q] of [[-dx, ax - west], [dx, east - ax], [-dy, ay - south], [dy, north - ay]]) {
    if (p === 0) {
      if (q < 0) return false;
      continue;
    }
    const t = q / p;
    if (p < 0) from = Math.max(from, t);
    else to = Math.min(to, t);
    if (from > to) return false;
  }
  return true;
}

function shoreIn(bands, box) {
  for (let band = bandOf(box[1]); band <= bandOf(box[3]); band += 1)
    for (const edge of bands.get(band) || []) if (crosses(edge, box)) return true;
  return false;
}

// A function of a point giving the share of the full stray that keeps a pin
// on land (1, 0.5, 0.25, 0.1 or 0), or -1 when the point itself is in water.
export function landRoom(water) {
  const bands = indexEdges(water);
  return (lat, lng) => {
    if (inWater(bands, lng, lat)) return -1;
    const step = STEPS.find((share) => !shoreIn(bands,
      [lng - STRAY_LNG * share, lat - STRAY_LAT * share, lng + STRAY_LNG * share, lat + STRAY_LAT * share]));
    return step ?? 0;
  };
}
