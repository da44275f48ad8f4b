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

  const element = L.Orbisk.element;

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

  new L.Orbisk.Labels({ files: data.files, place: data.place }).addTo(map);

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
