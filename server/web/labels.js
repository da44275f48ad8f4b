// SPDX-License-Identifier: GPL-3.0-or-later
// Place names over the map page of orbisk-server, as a Leaflet layer:
// L.Orbisk.Labels({ files, place }). The states and provinces while several
// are in view, then cities sized by population and thinned as the map zooms
// out. Larger places come first; a name that would overlap one already
// placed is left out, and the located place's city is always named.
(function () {
  'use strict';

  L.Orbisk.Labels = L.Layer.extend({
    options: { files: {}, place: null },

    initialize: function (options) {
      L.setOptions(this, options);
    },

    onAdd: function (map) {
      const data = this.options;
      const element = L.Orbisk.element;
      const labels = L.layerGroup().addTo(map);
      this._group = labels;
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
        if (!this._map) return;
        regionNames = regions;
        cities = list;
        drawLabels();
        map.on('moveend', drawLabels);
      });
      this._draw = drawLabels;
    },

    onRemove: function (map) {
      map.off('moveend', this._draw);
      map.removeLayer(this._group);
    },
  });
}());
