'use strict';
const Fields = ['title', 'time', 'level', 'blinds', 'ante', 'next_blinds', 'next_ante', 'time_to_break',
  'players', 'entries', 'average_stack', 'prize_pool'];

function showPayouts(payouts) {
  const list = document.getElementById('payouts');
  const key = JSON.stringify(payouts);
  if (list.dataset.key === key) return;
  list.dataset.key = key;
  list.replaceChildren(...payouts.map((line) => {
    const item = document.createElement('li');
    const place = document.createElement('span');
    place.className = 'place';
    place.textContent = line.place;
    const amount = document.createElement('span');
    amount.className = 'amount';
    amount.textContent = line.amount;
    item.append(place, amount);
    return item;
  }));
}

Live.start((state) => {
  for (const field of Fields) Live.setText(field, String(state[field] ?? ''));
  document.title = state.title ? `${state.title} - ${state.time}` : 'KAVRO Clock';
  document.getElementById('paused').hidden = !state.paused;
  document.getElementById('break').hidden = !state.break;
  Live.setText('paused', state.paused_text || 'PAUSED');
  Live.setText('break', state.break_text || 'BREAK');
  Live.applyColours(state.colours);
  showPayouts(state.payouts || []);
  Live.showPlan(state);
});
