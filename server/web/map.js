// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the map page of orbisk-server from its layers (common.js, view.js,
// outlines.js, labels.js, results.js) and Leaflet's controls. Everything the
// request carried comes from the JSON block and is put into the page as
// text, never as markup.
(function () {
  'use strict';
  performance.mark('orbisk-script');
  const data = JSON.parse(document.getElementById('orbisk-data').textContent);
  // The page's words, in the language the browser asked for.
  const text = L.Orbisk.text = data.text;
  const satellite = data.mapType !== 0;

  const map = L.map('map', {
    crs: L.CRS.EPSG4326, // latitude linear in y, as the client's pixel rule assumes
    minZoom: 2, maxZoom: 18, zoomSnap: 1,
    zoomControl: false, attributionControl: false,
    fadeAnimation: false, zoomAnimation: false, markerZoomAnimation: false, inertia: false,
  });
  map.setView(data.center, data.zoom);
  // The client's View menu moves the map through this, for users of the
  // keyboard; Escape closes an open popup, and with none it is the window's.
  let openPopup = null;
  map.on('popupopen', (e) => { openPopup = e.popup; });
  map.on('popupclose', (e) => { if (openPopup === e.popup) openPopup = null; });
  window.orbiskMap = {
    zoom: (steps) => map.setZoom(map.getZoom() + steps),
    pan: (dx, dy) => map.panBy([dx, dy]),
    escape: () => {
      if (!openPopup) return false;
      map.closePopup(openPopup);
      return true;
    },
  };

  const element = L.Orbisk.element;

  new L.Orbisk.ViewPublisher().addTo(map);

  new L.Orbisk.Outlines({ files: data.files, satellite: satellite }).addTo(map);

  new L.Orbisk.Labels({ files: data.files, place: data.place }).addTo(map);

  if (data.place) {
    L.circleMarker(data.place.at, { radius: 8, color: '#d35400', weight: 3, fillOpacity: 0.4, className: 'located-pin' })
      .addTo(map).bindPopup(L.Orbisk.popup(text.locatedPlace, data.place.lines, ''));
  }

  new L.Orbisk.Markers({ markers: data.markers }).addTo(map);
  new L.Orbisk.Results({ results: data.results, listPosition: data.mapControl === 0 ? 'topright' : 'topleft' })
    .addTo(map);

  // Pan and zoom controls by MAPC: 0 large, 1 small, 2 none.
  if (data.mapControl < 2) L.control.zoom({ position: 'topleft', zoomInTitle: text.zoomIn, zoomOutTitle: text.zoomOut }).addTo(map);
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
        box.appendChild(button('\u25B2', 0, -100, text.panNorth));
        const row = element('div', 'row');
        row.appendChild(button('\u25C0', -100, 0, text.panWest));
        row.appendChild(button('\u25B6', 100, 0, text.panEast));
        box.appendChild(row);
        box.appendChild(button('\u25BC', 0, 100, text.panSouth));
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
      if (satellite) box.appendChild(element('div', '', text.satelliteOffline));
      const credits = element('div', 'credits', text.mapData);
      const osm = element('a', '', text.osmContributors);
      osm.href = 'https://www.openstreetmap.org/copyright';
      credits.appendChild(osm);
      box.appendChild(credits);
      return box;
    },
  });
  new Legend({ position: 'bottomright' }).addTo(map);
  const note = [data.notFound || data.fellBack, data.offline].filter(Boolean).join(' ');
  if (note) L.Orbisk.note(note);

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
