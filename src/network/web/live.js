'use strict';
// Keeps a page live: the state at once over HTTP, then every change over the push socket. A page that
// hears nothing for a while says so and connects again by itself.
const Live = (() => {
  const pushPort = document.querySelector('meta[name="push-port"]').content;
  const SilenceMs = 5000;
  let socket = null;
  let watchdog = null;
  let retry = null;
  let handler = () => {};
  let latest = null;

  function showLost(lost) {
    const notice = document.getElementById('connection');
    if (notice) notice.hidden = !lost;
    document.body.classList.toggle('offline', lost);
  }

  function arm() {
    clearTimeout(watchdog);
    watchdog = setTimeout(lose, SilenceMs);
  }

  function lose() {
    showLost(true);
    clearTimeout(watchdog);
    if (socket) {
      socket.onclose = null;
      socket.onmessage = null;
      try { socket.close(); } catch { /* already gone */ }
      socket = null;
    }
    clearTimeout(retry);
    retry = setTimeout(connect, 1000);
  }

  function receive(text) {
    let state;
    try { state = JSON.parse(text); } catch { return; }
    latest = state;
    showLost(false);
    handler(state);
  }

  function connect() {
    const host = location.hostname.includes(':') ? `[${location.hostname}]` : location.hostname;
    try {
      socket = new WebSocket(`ws://${host}:${pushPort}/`);
    } catch {
      lose();
      return;
    }
    socket.onmessage = (event) => { arm(); receive(event.data); };
    socket.onclose = lose;
    arm();
  }

  function start(onState) {
    handler = onState;
    fetch('/api/state', { cache: 'no-store' })
      .then((response) => (response.ok ? response.text() : null))
      .then((text) => { if (text) receive(text); })
      .catch(() => {});
    connect();
  }

  // WCAG 2 relative luminance and contrast of two "#rrggbb" colours.
  function channels(colour) {
    const m = /^#([0-9a-f]{2})([0-9a-f]{2})([0-9a-f]{2})$/i.exec(colour || '');
    return m ? m.slice(1).map((h) => parseInt(h, 16)) : null;
  }
  function luminance(rgb) {
    const [r, g, b] = rgb.map((c) => {
      const s = c / 255;
      return s <= 0.03928 ? s / 12.92 : ((s + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  }
  function contrast(a, b) {
    const [x, y] = [luminance(a), luminance(b)].sort((p, q) => q - p);
    return (x + 0.05) / (y + 0.05);
  }
  const hex = (rgb) => `#${rgb.map((c) => Math.round(c).toString(16).padStart(2, '0')).join('')}`;

  // The scheme's text colour where it reads well enough on its background (WCAG AA, 4.5:1), otherwise
  // the least change towards black or white that does.
  const Readable = 4.5;
  function readable(fore, back) {
    const f = channels(fore);
    const b = channels(back);
    if (!f || !b || contrast(f, b) >= Readable) return fore;
    const towards = contrast([0, 0, 0], b) >= contrast([255, 255, 255], b) ? 0 : 255;
    const mix = (t) => f.map((c) => Math.round(c + (towards - c) * t));
    let low = 0;
    let high = 1;
    for (let i = 0; i < 20; ++i) {
      const middle = (low + high) / 2;
      if (contrast(mix(middle), b) >= Readable) high = middle; else low = middle;
    }
    return hex(mix(high));
  }

  // Which scheme colour is read on which: the text colours are made readable before they are set.
  const Backdrops = {
    title: 'background', digits: 'background', caption: 'panel', panel_text: 'panel', break: 'panel',
    paused: 'paused_back',
  };
  function applyColours(colours) {
    if (!colours) return;
    const root = document.documentElement.style;
    for (const [name, value] of Object.entries(colours)) {
      const back = Backdrops[name] && colours[Backdrops[name]];
      let shown = back ? readable(value, back) : value;
      // The panel text is read on the highlighted payout line too.
      if (name === 'panel_text' && colours.highlight) shown = readable(shown, colours.highlight);
      root.setProperty(`--${name.replaceAll('_', '-')}`, shown);
    }
  }

  function setText(id, text) {
    const element = document.getElementById(id);
    if (element && element.textContent !== text) element.textContent = text;
  }

  // The night's plan as the clock estimates it: "Estimated end: level 14, in about 2:35" and, when a
  // break with a colour-up is at hand, "Colour up: the 25 chips at this break"; empty when there is none.
  function planTexts(state) {
    const end = state.estimated_end;
    let colourUp = '';
    if (state.colour_up) {
      const when = state.break ? 'at this break' : 'at the next break';
      const named = /^Colour up (.+)$/i.exec(state.colour_up);
      colourUp = named ? `Colour up: ${named[1]} ${when}` : `${state.colour_up} (${when})`;
    }
    return {
      estimatedEnd: end ? `Estimated end: level ${end.level}, in about ${end.in}` : '',
      colourUp,
    };
  }

  function showPlan(state) {
    const plan = planTexts(state);
    for (const [id, text] of [['estimated_end', plan.estimatedEnd], ['colour_up', plan.colourUp]]) {
      const element = document.getElementById(id);
      if (!element) continue;
      setText(id, text);
      element.hidden = !text;
    }
  }

  return { start, applyColours, readable, contrast: (a, b) => contrast(channels(a), channels(b)), setText,
    planTexts, showPlan, get state() { return latest; } };
})();
