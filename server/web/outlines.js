// SPDX-License-Identifier: GPL-3.0-or-later
// The land, water and borders under the map page of orbisk-server, as a
// Leaflet layer: L.Orbisk.Outlines({ files, satellite }).
(function () {
  'use strict';
  function styles(satellite) {
    const land = satellite ? '#2f4a2a' : '#f4f1e8';
    const water = satellite ? '#223d5c' : '#cfe3f3';
    const border = satellite ? '#8da37a' : '#8a8a8a';
    const shore = satellite ? '#4b6f94' : '#7aa6cf';
    const ground = { stroke: false, fillColor: land, fillOpacity: 1 };
    const pond = { stroke: false, fillColor: water, fillOpacity: 1 };
    return {
      country: { color: border, weight: 1, fillColor: land, fillOpacity: 1 },
      ground: ground, land: ground, openWater: pond, inlandWater: pond,
      coast: { color: border, weight: 1, fill: false },
      region: { color: satellite ? '#e6dca4' : '#8c7f66', weight: 1.6, dashArray: '6 3', fill: false },
      county: { color: satellite ? '#61734f' : '#d3cbb8', weight: 0.6, fill: false },
      river: { color: shore, weight: 1, fill: false },
      shore: { color: shore, weight: 0.6, fill: false },
      lake: { color: shore, weight: 0.6, fillColor: water, fillOpacity: 1 },
    };
  }
  // Cells and counties are drawn kind by kind across files, so that no
  // cell's ground covers its neighbour's lines; a whole file keeps its order.
  const kinds = ['whole', 'ground', 'openWater', 'land', 'river', 'inlandWater', 'county', 'shore', 'coast', 'region'];
  const inView = (list, view) => list.filter(([, west, south, east, north]) => view.intersects([[south, west], [north, east]]))
    .map(([url]) => url);

  // Outlines by level of detail: the continent from the overview, the
  // states' zooms from the detailed file and, from metro zoom in, only the
  // cells of detailed outlines and the counties in view. All on one canvas in
  // their own pane under every marker; each file is fetched once and kept by
  // the browser for good. The page's body says "drawn" in data-outlines once
  // the outlines of the latest view are on the canvas, for tests and benchmarks.
  L.Orbisk.Outlines = L.Layer.extend({
    options: { files: {}, satellite: false, pane: 'outlines' },

    initialize: function (options) {
      L.setOptions(this, options);
    },

    onAdd: function (map) {
      this._styles = styles(this.options.satellite);
      this._files = {};
      this._indexes = { counties: [], cells: [] };
      this._shown = [];
      this._asked = 0;
      if (!map.getPane(this.options.pane)) map.createPane(this.options.pane).style.zIndex = 250;
      this._renderer = L.canvas({ pane: this.options.pane });
      const index = (name) => L.Orbisk.fetchJson(this.options.files[name])
        .then((list) => { this._indexes[name] = list; }).catch(() => {});
      // Nothing is drawn before the indexes are known, so "drawn" is never said of a partial map.
      Promise.all([index('counties'), index('cells')]).then(() => {
        if (!this._map) return;
        this._show();
        map.on('moveend', this._show, this);
      });
    },

    onRemove: function (map) {
      map.off('moveend', this._show, this);
      this._shown.forEach((layer) => map.removeLayer(layer));
      this._shown = [];
    },

    _fileLayers: function (url, byKind) {
      if (!this._files[url]) {
        const make = (features) => L.geoJSON(features, {
          style: (f) => this._styles[f.properties.kind], interactive: false, pane: this.options.pane, renderer: this._renderer,
        });
        this._files[url] = L.Orbisk.fetchJson(url).then((outlines) => {
          if (!byKind) return { whole: make(outlines) };
          const found = {};
          outlines.features.forEach((f) => (found[f.properties.kind] = found[f.properties.kind] || []).push(f));
          Object.keys(found).forEach((kind) => { found[kind] = make(found[kind]); });
          return found;
        }).catch(() => {
          delete this._files[url];
          return {};
        });
      }
      return this._files[url];
    },

    _show: function () {
      const map = this._map;
      const zoom = map.getZoom() - 2;
      const view = map.getBounds();
      const files = this.options.files;
      const wanted = zoom >= 4 ? [...inView(this._indexes.cells, view), ...inView(this._indexes.counties, view)]
        : [zoom <= 1 ? files.overview : files.outlines];
      const ask = ++this._asked;
      document.body.dataset.outlines = 'drawing';
      const drawn = () => requestAnimationFrame(() => {
        if (ask !== this._asked) return;
        document.body.dataset.outlines = 'drawn';
        performance.mark('orbisk-outlines');
      });
      Promise.all(wanted.map((url) => this._fileLayers(url, zoom >= 4))).then((loaded) => {
        if (ask !== this._asked || !this._map) return;
        const found = kinds.flatMap((kind) => loaded.map((file) => file[kind]).filter((layer) => layer));
        if (found.length !== this._shown.length || found.some((layer, i) => this._shown[i] !== layer)) {
          this._shown.forEach((layer) => map.removeLayer(layer));
          found.forEach((layer) => layer.addTo(map));
          this._shown = found;
        }
        drawn();
      });
    },
  });
}());
