// SPDX-License-Identifier: GPL-3.0-or-later
// What the map page shows of the request: the user's markers,
// L.Orbisk.Markers({ markers }), and the numbered local search results with
// their list, L.Orbisk.Results({ results, listPosition }). Both as Leaflet layers.
(function () {
  'use strict';
  const element = L.Orbisk.element;
  const popup = L.Orbisk.popup;

  // Thousands of markers (an imported track, a GPS receiver's waypoints) go
  // on one canvas, added at once: an element per pin would hold the page
  // for minutes. Popups are made when opened.
  L.Orbisk.Markers = L.Layer.extend({
    options: { markers: [], manyAbove: 1000 },

    initialize: function (options) {
      L.setOptions(this, options);
    },

    onAdd: function (map) {
      const many = this.options.markers.length > this.options.manyAbove;
      const canvas = many ? L.canvas({ padding: 0.2 }) : null;
      this._group = L.layerGroup(this.options.markers.map((marker) => {
        const layer = many
          ? L.circleMarker(marker.at, { renderer: canvas, radius: 4, weight: 1, color: '#174ea6', fillColor: '#3b82f6', fillOpacity: 0.9 })
          : L.marker(marker.at, {
            icon: L.divIcon({ className: '', html: element('div', 'marker-pin'), iconSize: [18, 18], iconAnchor: [9, 18] }),
            title: marker.title,
          });
        return layer.bindPopup(() => popup(marker.title, marker.details, marker.link));
      })).addTo(map);
    },

    onRemove: function (map) {
      map.removeLayer(this._group);
    },
  });

  function pinIcon(number, dx, dy) {
    const pin = element('div', 'result-pin', String(number));
    return L.divIcon({ className: '', html: pin, iconSize: [22, 22], iconAnchor: [11 - dx, 11 - dy] });
  }

  // The list over the map; an entry opens its pin.
  const List = L.Control.extend({
    initialize: function (pins, options) {
      this._pins = pins;
      L.setOptions(this, options);
    },
    onAdd: function () {
      const box = element('div', 'result-list');
      this._pins.forEach((pin) => {
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

  // Numbered results: a pin each, spread apart where pins would cover each
  // other's numbers, and a list over the map.
  L.Orbisk.Results = L.Layer.extend({
    options: { results: [], listPosition: 'topright' },

    initialize: function (options) {
      L.setOptions(this, options);
    },

    onAdd: function (map) {
      this._pins = this.options.results.map((result) => {
        const place = [result.address, [result.city, result.state].filter((t) => t).join(', '), result.phone];
        const marker = L.marker(result.at, { icon: pinIcon(result.number, 0, 0), title: result.title })
          .addTo(map).bindPopup(popup(result.number + '. ' + result.title, place, result.link));
        return { result: result, marker: marker, place: place };
      });
      if (!this._pins.length) return;
      this._spread();
      map.on('zoomend', this._spread, this);
      this._list = new List(this._pins, { position: this.options.listPosition }).addTo(map);
    },

    onRemove: function (map) {
      map.off('zoomend', this._spread, this);
      this._pins.forEach((pin) => map.removeLayer(pin.marker));
      if (this._list) this._list.remove();
    },

    // A pin that would lie within a pin's width of one already placed moves
    // out along a spiral until it is clear.
    _spread: function () {
      const placed = [];
      const clear = (x, y) => placed.every((p) => Math.hypot(p.x - x, p.y - y) >= 22);
      this._pins.forEach((pin) => {
        const at = this._map.latLngToContainerPoint(pin.result.at);
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
    },
  });
}());
