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

  function applyColours(colours) {
    if (!colours) return;
    const root = document.documentElement.style;
    for (const [name, value] of Object.entries(colours)) root.setProperty(`--${name.replace('_', '-')}`, value);
  }

  function setText(id, text) {
    const element = document.getElementById(id);
    if (element && element.textContent !== text) element.textContent = text;
  }

  return { start, applyColours, setText, get state() { return latest; } };
})();
