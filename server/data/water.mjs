// SPDX-License-Identifier: GPL-3.0-or-later
// Water that the Census states and Natural Earth draw as land close in: the
// sea reaching up bays, sounds and tidal rivers (Upper New York Bay, the East
// River, Newark and Jamaica Bays, Puget Sound, Chesapeake Bay) and lakes of
// ten square kilometres and more (Lake Washington, Lake Sammamish), from
// OpenStreetMap as the @geo-maps packages give it (ODbL), simplified to the
// detail the closest cells draw.
import fs from 'node:fs';
import { boxOf, meets } from './cells.mjs';

const AREA = [-170, 10, -50, 85]; // west, south, east, north: what the cells cover
// Degrees, about 500 m for the sea (rivers a kilometre wide keep their banks)
// and 900 m for lakes, whose outline matters less than where they are.
const SEA_TOLERANCE = 0.005;
const LAKE_TOLERANCE = 0.008;
const SETTLED_NORTH = 52;
const SMALLEST_LAKE_KM2 = 10;
const KM_PER_DEGREE = 111.2;

// Douglas-Peucker without recursion: a coast has hundreds of thousands of
// points. A ring is closed, so it is first split at its point farthest from
// the start.
function simplify(ring, tolerance) {
  if (ring.length <= 4) return ring;
  const keep = new Uint8Array(ring.length);
  const [sx, sy] = ring[0];
  let opposite = 1;
  for (let i = 1; i < ring.length - 1; i += 1)
    if (Math.hypot(ring[i][0] - sx, ring[i][1] - sy) > Math.hypot(ring[opposite][0] - sx, ring[opposite][1] - sy)) opposite = i;
  keep[0] = 1;
  keep[opposite] = 1;
  keep[ring.length - 1] = 1;
  const stack = [[0, opposite], [opposite, ring.length - 1]];
  while (stack.length) {
    const [first, last] = stack.pop();
    const [ax, ay] = ring[first];
    const [bx, by] = ring[last];
    const dx = bx - ax;
    const dy = by - ay;
    const length = Math.hypot(dx, dy) || 1e-12;
    let farthest = -1;
    // North of the settled south, five times coarser: fjords are most of the points.
    let distance = (ay + by) / 2 > SETTLED_NORTH ? tolerance * 5 : tolerance;
    for (let i = first + 1; i < last; i += 1) {
      const [px, py] = ring[i];
      const d = Math.abs(dy * (px - ax) - dx * (py - ay)) / length;
      if (d > distance) {
        distance = d;
        farthest = i;
      }
    }
    if (farthest < 0) continue;
    keep[farthest] = 1;
    stack.push([first, farthest], [farthest, last]);
  }
  return ring.filter((_, i) => keep[i]);
}

// Square kilometres inside a ring, near enough at these latitudes.
function areaKm2(ring) {
  let twice = 0;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i, i += 1)
    twice += (ring[j][0] - ring[i][0]) * (ring[j][1] + ring[i][1]);
  const [, south, , north] = boxOf(ring);
  const latitude = (south + north) / 2;
  return (Math.abs(twice) / 2) * KM_PER_DEGREE * KM_PER_DEGREE * Math.cos((latitude * Math.PI) / 180);
}

// Every polygon of a GeoJSON file, whatever it nests them in.
function* polygonsOf(node) {
  if (node.type === 'FeatureCollection') for (const f of node.features) yield* polygonsOf(f);
  else if (node.type === 'Feature') yield* polygonsOf(node.geometry);
  else if (node.type === 'GeometryCollection') for (const g of node.geometries) yield* polygonsOf(g);
  else if (node.type === 'Polygon') yield node.coordinates;
  else if (node.type === 'MultiPolygon') for (const p of node.coordinates) yield p;
}

// The polygons in the cells' area, simplified, without the lakes too small to draw.
function waterIn(fileName, smallestKm2, tolerance) {
  const polygons = [];
  for (const [outer, ...holes] of polygonsOf(JSON.parse(fs.readFileSync(fileName, 'utf8')))) {
    if (!meets(boxOf(outer), AREA) || (smallestKm2 && areaKm2(outer) < smallestKm2)) continue;
    const ring = simplify(outer, tolerance);
    if (ring.length < 4) continue;
    const islands = holes.filter((hole) => areaKm2(hole) >= 1).map((hole) => simplify(hole, tolerance))
      .filter((hole) => hole.length >= 4);
    polygons.push([ring, ...islands]);
  }
  return polygons;
}

export function readWater(file) {
  const seas = waterIn(file('@geo-maps/earth-seas-10m/map.geo.json'), 0, SEA_TOLERANCE);
  const lakes = waterIn(file('@geo-maps/earth-lakes-10m/map.geo.json'), SMALLEST_LAKE_KM2, LAKE_TOLERANCE);
  const points = (list) => list.reduce((n, p) => n + p.reduce((m, r) => m + r.length, 0), 0);
  console.log(`water: ${seas.length} sea polygons (${points(seas)} points), ${lakes.length} lakes (${points(lakes)})`);
  return { type: 'MultiPolygon', coordinates: [...seas, ...lakes] };
}
