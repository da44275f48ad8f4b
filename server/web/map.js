// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the map page of orbisk-server. Everything the request carried comes
// from the JSON block and is put into the page as text, never as markup.
(function () {
  'use strict';
  performance.mark('orbisk-script');
  const data = JSON.parse(document.getElementById('orbisk-data').textContent);
  const satellite = data.mapType !== 0;

  const map = L.map('map', {
    crs: L.CRS.EPSG4326, // latitude linear in y, as the client's pixel rule assumes
    minZoom: 2, maxZoom: 18, zoomSnap: 1,
    zoomControl: false, attributionControl: false,
    fadeAnimation: false, zoomAnimation: false, markerZoomAnimation: false, inertia: false,
  });
  map.setView(data.center, data.zoom);

  function element(tag, className, text) {
    const node = document.createElement(tag);
    if (className) node.className = className;
    if (text !== undefined) node.textContent = text;
    return node;
  }

  function link(url, text) {
    if (!/^https?:\/\//i.test(url)) return null;
    const anchor = element('a', '', text);
    anchor.href = url;
    anchor.target = '_blank';
    anchor.rel = 'noopener noreferrer';
    return anchor;
  }

  function popup(title, lines, url) {
    const box = element('div');
    box.appendChild(element('div', 'popup-title', title));
    lines.filter((line) => line !== '').forEach((line) => box.appendChild(element('div', '', line)));
    const anchor = link(url, url);
    if (anchor) box.appendChild(anchor);
    return box;
  }

  // Hidden fields the client reads back: the visible map's edges and zoom.
  function publishView() {
    const bounds = map.getBounds();
    const set = (name, value) => { document.getElementById(name).value = value; };
    set('BVXMin', bounds.getWest().toFixed(8));
    set('BVXMax', bounds.getEast().toFixed(8));
    set('BVYMin', bounds.getSouth().toFixed(8));
    set('BVYMax', bounds.getNorth().toFixed(8));
    set('BVZoom', String(Math.max(0, Math.min(16, map.getZoom() - 2))));
  }
  map.on('moveend zoomend', publishView);
  publishView();

  new L.Orbisk.Outlines({ files: data.files, satellite: satellite }).addTo(map);

  // Place names: the states and provinces while several are in view, then
  // cities sized by population and thinned as the map zooms out. Larger
  // places come first; a name that would overlap one already placed is left out.
  const labels = L.layerGroup().addTo(map);
  let cities = [];
  let regionNames = [];
  const thresholds = { 2: 2000000, 3: 1500000, 4: 700000 };
  // Least population, class, and the label's font and line height in pixels, as map.css has them.
  const sizes = [[1000000, 'city-large', 'bold 14px', 19], [250000, 'city-medium', '13px', 17],
    [50000, 'city-small', '11px', 15], [0, 'city-town', '10px', 13]];
  // Widths measured as the page will draw them, without laying anything out.
  const measure = document.createElement('canvas').getContext('2d');
  const widthOf = (text, font, spacing) => {
    measure.font = font + ' sans-serif';
    return measure.measureText(text).width + spacing * text.length;
  };
  function drawLabels() {
    labels.clearLayers();
    const zoom = map.getZoom();
    const size = map.getSize();
    // The controls, the note and the result pins stay on top: no name goes under them.
    const frame = map.getContainer().getBoundingClientRect();
    const placed = [...document.querySelectorAll('.leaflet-control, .note, .result-pin')].map((e) => e.getBoundingClientRect())
      .map((r) => ({ x: r.left + r.width / 2 - frame.left, y: r.top + r.height / 2 - frame.top, width: r.width, line: r.height }));
    // Only names wholly inside the map: one cut by the edge reads as another word.
    // A name whose place is covered goes just below or above it instead.
    const place = (name, at, className, font, line, spacing, offsets, force) => {
      const anchor = map.latLngToContainerPoint(at);
      // Far outside the map nothing is measured: thousands of towns are asked.
      if (anchor.x < -300 || anchor.y < -60 || anchor.x > size.x + 300 || anchor.y > size.y + 60) return false;
      const width = widthOf(name, font, spacing || 0);
      for (const [dx, dy] of offsets || [[0, 0], [0, line + 2], [0, -line - 2]]) {
        const point = { x: anchor.x + dx, y: anchor.y + dy };
        if (point.x < width / 2 || point.x > size.x - width / 2 || point.y < line / 2 || point.y > size.y - line / 2) continue;
        const overlaps = (p) => Math.abs(p.x - point.x) * 2 < p.width + width + 12 && Math.abs(p.y - point.y) * 2 < p.line + line + 4;
        if (!force && placed.some(overlaps)) continue;
        placed.push({ x: point.x, y: point.y, width: width, line: line });
        const label = element('div', className, name);
        if (dx || dy) label.style.transform = 'translate(calc(-50% + ' + dx + 'px), calc(-50% + ' + dy + 'px))';
        L.marker(at, { icon: L.divIcon({ html: label, className: '', iconSize: null }), interactive: false }).addTo(labels);
        return true;
      }
      return false;
    };
    const styleOf = (population) => sizes.find(([least]) => population >= least);
    // The located place keeps its pin clear, and the city it lies in is named
    // first, beside the pin, whatever else competes for the room.
    const located = data.place ? nearestCity(data.place.at) : null;
    if (data.place) {
      const pin = map.latLngToContainerPoint(data.place.at);
      placed.push({ x: pin.x, y: pin.y, width: 22, line: 22 });
    }
    if (located) {
      const [name, , , population] = located;
      const [, size, font, line] = styleOf(population);
      const half = widthOf(name, font, 0) / 2 + 14;
      const around = [];
      for (const step of [0, 1, 2, 3, 4]) {
        const dx = half + step * 24;
        const dy = (line + 6) * (step + 1);
        around.push([dx, 0], [-dx, 0], [0, dy], [0, -dy], [dx, dy], [-dx, dy], [dx, -dy], [-dx, -dy]);
      }
      // Crowded by result pins on every side, it still is named, beside the pin.
      const className = 'city-label located ' + size;
      place(name, data.place.at, className, font, line, 0, around) ||
        place(name, data.place.at, className, font, line, 0, around, true);
    }
    if (zoom >= 3 && zoom <= 7) {
      const letterSpacing = 11 * 0.12;
      regionNames.forEach(([name, code, lat, lng]) => place(name.toUpperCase(), [lat, lng], 'region-label', '11px', 15, letterSpacing) ||
        place(code, [lat, lng], 'region-label', '11px', 15, letterSpacing));
    }
    // The largest places that fit: from the state zoom in, small towns fill
    // what the large ones leave, so no stretch of the map goes unnamed.
    const minimum = zoom < 5 && thresholds[zoom] !== undefined ? thresholds[zoom] : 0;
    for (const city of cities) {
      const [name, lat, lng, population] = city;
      if (population < minimum || city === located) continue;
      const [, size, font, line] = styleOf(population);
      place(name, [lat, lng], 'city-label ' + size, font, line);
    }
  }
  // The city a located point names: one its lines name, else the one that is
  // both near and large (a city's centre, not the district beside the pin),
  // within about 30 km; null when none is that close.
  function nearestCity(at) {
    const text = (data.place.lines || []).join(' ');
    let best = null;
    let bestScore = 0;
    const scale = Math.cos(at[0] * Math.PI / 180);
    for (const city of cities) {
      const dy = city[1] - at[0];
      const dx = (city[2] - at[1]) * scale;
      const distance = dx * dx + dy * dy;
      if (distance >= 0.3 * 0.3) continue;
      const named = text.includes(city[0]) ? 1e6 : 1;
      const score = named * city[3] / (distance + 0.02 * 0.02);
      if (score > bestScore) {
        best = city;
        bestScore = score;
      }
    }
    return best;
  }
  const names = (url) => L.Orbisk.fetchJson(url).catch(() => []);
  Promise.all([names(data.files.regions), names(data.files.cities)]).then(([regions, list]) => {
    regionNames = regions;
    cities = list;
    drawLabels();
  });
  map.on('moveend', drawLabels);

  if (data.place) {
    L.circleMarker(data.place.at, { radius: 8, color: '#d35400', weight: 3, fillOpacity: 0.4, className: 'located-pin' })
      .addTo(map).bindPopup(popup('Located place', data.place.lines, ''));
  }

  // Thousands of markers (an imported track, a GPS receiver's waypoints) go
  // on one canvas, added at once: an element per pin would hold the page
  // for minutes. Popups are made when opened.
  const manyMarkers = data.markers.length > 1000;
  const canvas = manyMarkers ? L.canvas({ padding: 0.2 }) : null;
  const markerLayer = L.layerGroup(data.markers.map((marker) => {
    const layer = manyMarkers
      ? L.circleMarker(marker.at, { renderer: canvas, radius: 4, weight: 1, color: '#174ea6', fillColor: '#3b82f6', fillOpacity: 0.9 })
      : L.marker(marker.at, {
        icon: L.divIcon({ className: '', html: element('div', 'marker-pin'), iconSize: [18, 18], iconAnchor: [9, 18] }),
        title: marker.title,
      });
    return layer.bindPopup(() => popup(marker.title, marker.details, marker.link));
  }));
  markerLayer.addTo(map);

  // Numbered results: a pin each, spread apart where pins would cover each
  // other's numbers, and a list over the map whose entries open their pin.
  const pins = data.results.map((result) => {
    const place = [result.address, [result.city, result.state].filter((t) => t).join(', '), result.phone];
    const marker = L.marker(result.at, { icon: pinIcon(result.number, 0, 0), title: result.title })
      .addTo(map).bindPopup(popup(result.number + '. ' + result.title, place, result.link));
    return { result: result, marker: marker, place: place };
  });
  function pinIcon(number, dx, dy) {
    const pin = element('div', 'result-pin', String(number));
    return L.divIcon({ className: '', html: pin, iconSize: [22, 22], iconAnchor: [11 - dx, 11 - dy] });
  }
  // A pin that would lie within a pin's width of one already placed moves
  // out along a spiral until it is clear.
  function spreadPins() {
    const placed = [];
    const clear = (x, y) => placed.every((p) => Math.hypot(p.x - x, p.y - y) >= 22);
    pins.forEach((pin) => {
      const at = map.latLngToContainerPoint(pin.result.at);
      let dx = 0;
      let dy = 0;
      for (let step = 1; !clear(at.x + dx, at.y + dy) && step < 200; step += 1) {
        const angle = step * 0.9;
        const reach = 22 * Math.sqrt(step / 2);
        dx = Math.round(reach * Math.cos(angle));
        dy = Math.round(reach * Math.sin(angle));
      }
      placed.push({ x: at.x + dx, y: at.y + dy });
      pin.marker.setIcon(pinIcon(pin.result.number, dx, dy));
    });
  }
  if (pins.length) {
    spreadPins();
    map.on('zoomend', spreadPins);
    const List = L.Control.extend({
      onAdd: function () {
        const box = element('div', 'result-list');
        pins.forEach((pin) => {
          const entry = element('div', 'result-entry');
          entry.appendChild(element('span', 'result-number', String(pin.result.number)));
          entry.appendChild(element('span', 'result-title', pin.result.title));
          entry.appendChild(element('div', 'result-line', pin.place.filter((line) => line !== '').join(' \u00b7 ')));
          L.DomEvent.on(entry, 'click', () => pin.marker.openPopup());
          box.appendChild(entry);
        });
        L.DomEvent.disableClickPropagation(box);
        L.DomEvent.disableScrollPropagation(box);
        return box;
      },
    });
    new List({ position: data.mapControl === 0 ? 'topright' : 'topleft' }).addTo(map);
  }

  // Pan and zoom controls by MAPC: 0 large, 1 small, 2 none.
  if (data.mapControl < 2) L.control.zoom({ position: 'topleft' }).addTo(map);
  if (data.mapControl === 0) {
    const Pan = L.Control.extend({
      onAdd: function () {
        const box = element('div', 'pan leaflet-bar');
        const button = (text, dx, dy, title) => {
          const b = element('button', '', text);
          b.title = title;
          L.DomEvent.on(b, 'click', (e) => { L.DomEvent.stop(e); map.panBy([dx, dy]); });
          return b;
        };
        box.appendChild(button('\u25B2', 0, -100, 'Pan north'));
        const row = element('div', 'row');
        row.appendChild(button('\u25C0', -100, 0, 'Pan west'));
        row.appendChild(button('\u25B6', 100, 0, 'Pan east'));
        box.appendChild(row);
        box.appendChild(button('\u25BC', 0, 100, 'Pan south'));
        L.DomEvent.disableClickPropagation(box);
        return box;
      },
    });
    new Pan({ position: 'topright' }).addTo(map);
  }
  // Every page has a scale: on screen unless the user chose no map control, on paper always.
  L.control.scale({ position: 'bottomleft' }).addTo(map);
  if (data.mapControl === 2) document.body.classList.add('no-scale');
  const Legend = L.Control.extend({
    onAdd: () => {
      const box = element('div', 'legend');
      if (satellite) box.appendChild(element('div', '', 'Map and satellite: satellite imagery is not available offline'));
      const credits = element('div', 'credits', 'Map data: U.S. Census Bureau, Natural Earth, GeoNames, ');
      const osm = element('a', '', '© OpenStreetMap contributors');
      osm.href = 'https://www.openstreetmap.org/copyright';
      credits.appendChild(osm);
      box.appendChild(credits);
      return box;
    },
  });
  new Legend({ position: 'bottomright' }).addTo(map);
  const note = [data.notFound || data.fellBack, data.offline].filter(Boolean).join(' ');
  if (note) document.body.appendChild(element('div', 'note', note));

  // What only paper shows: the located place's title and address above the
  // map, the scale below it (the print style hides the on-screen controls).
  const header = element('div', 'print-header');
  (data.place ? data.place.lines : []).map((line) => line.trim()).filter((line) => line !== '')
    .forEach((line, i) => header.appendChild(element('div', i === 0 ? 'print-title' : 'print-line', line)));
  document.body.insertBefore(header, document.body.firstChild);
  const footer = element('div', 'print-footer');
  document.body.appendChild(footer);
  const copyScale = () => {
    footer.replaceChildren(...[...document.querySelectorAll('.leaflet-control-scale-line')].map((line) => line.cloneNode(true)));
  };
  map.on('moveend zoomend', copyScale);
  copyScale();
  performance.measure('orbisk-script', 'orbisk-script');
}());
