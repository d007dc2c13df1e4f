'use strict';
// The clock screen's elements at their places, in twips as the clock lays them out, scaled as a whole
// to the browser window. The clock says how many twips make a pixel.
let twipsPerPixel = 15;
const screenBox = document.getElementById('screen');
const shown = new Map();
let size = { width: 0, height: 0 };

function px(twips) { return `${twips / twipsPerPixel}px`; }

function fit() {
  if (!size.width || !size.height) return;
  const width = size.width / twipsPerPixel;
  const height = size.height / twipsPerPixel;
  const scale = Math.min(window.innerWidth / width, window.innerHeight / height);
  screenBox.style.width = `${width}px`;
  screenBox.style.height = `${height}px`;
  screenBox.style.left = `${(window.innerWidth - width * scale) / 2}px`;
  screenBox.style.top = `${(window.innerHeight - height * scale) / 2}px`;
  screenBox.style.transform = `scale(${scale})`;
}

// What a text that paints no background of its own is read on: the topmost filled shape under its
// middle, or the screen.
function backdrop(elements, index, screenBack) {
  const e = elements[index];
  const x = e.left + e.width / 2;
  const y = e.top + e.height / 2;
  for (let i = index - 1; i >= 0; --i) {
    const s = elements[i];
    if (s.kind === 'shape' && s.fill && x >= s.left && x < s.left + s.width && y >= s.top && y < s.top + s.height) {
      return s.back;
    }
  }
  return screenBack;
}

function place(box, e, back) {
  const style = box.style;
  style.left = px(e.left);
  style.top = px(e.top);
  style.width = px(e.width);
  style.height = px(e.height);
  if (e.kind === 'shape') {
    style.background = e.fill ? e.back : 'transparent';
    style.border = e.border ? `1px solid ${e.border}` : 'none';
    style.borderRadius = e.rounded ? px(Math.min(e.width, e.height) / 6) : '0';
    return;
  }
  style.color = Live.readable(e.colour, e.opaque ? e.back : back);
  style.background = e.opaque ? e.back : 'transparent';
  style.fontSize = `${(e.size * 20) / twipsPerPixel}px`;
  style.textAlign = e.align;
  style.display = 'flex';
  style.alignItems = e.middle ? 'center' : 'flex-start';
  style.justifyContent = e.align === 'center' ? 'center' : e.align === 'right' ? 'flex-end' : 'flex-start';
  if (box.textContent !== e.caption) box.textContent = e.caption;
}

Live.start((state) => {
  const screen = state.screen;
  if (!screen) return;
  document.title = state.title ? `${state.title} - ${state.time}` : 'KAVRO Clock';
  Live.setText('title', state.title || 'KAVRO Clock');
  document.body.style.background = screen.back;
  if (screen.twips_per_pixel > 0) twipsPerPixel = screen.twips_per_pixel;
  size = { width: screen.width, height: screen.height };
  fit();
  const present = new Set();
  screen.elements.forEach((e, index) => {
    present.add(e.name);
    let box = shown.get(e.name);
    if (!box) {
      box = document.createElement('div');
      box.dataset.name = e.name;
      shown.set(e.name, box);
      screenBox.append(box);
    }
    box.style.zIndex = String(index);
    place(box, e, e.kind === 'shape' ? null : backdrop(screen.elements, index, screen.back));
  });
  for (const [name, box] of shown) {
    if (!present.has(name)) {
      box.remove();
      shown.delete(name);
    }
  }
});
window.addEventListener('resize', fit);
