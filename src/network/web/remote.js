'use strict';
// The token lives only in this tab's session: closing the tab forgets it, and it never enters a URL.
const TokenKey = 'kavro-remote-token';
const LevelCommands = { previous_level: 'Go back to the previous level?', next_level: 'Go on to the next level?' };

function say(text) { Live.setText('message', text); }

function showPaired(paired) {
  document.getElementById('pairing').hidden = paired;
  document.getElementById('commands').hidden = !paired;
}

async function post(path, body, token) {
  const headers = { 'Content-Type': 'application/json' };
  if (token) headers.Authorization = `Bearer ${token}`;
  const response = await fetch(path, { method: 'POST', headers, body: JSON.stringify(body), cache: 'no-store' });
  let answer = {};
  try { answer = await response.json(); } catch { /* no body */ }
  return { status: response.status, answer };
}

document.getElementById('pairing').addEventListener('submit', async (event) => {
  event.preventDefault();
  const input = document.getElementById('pin');
  try {
    const { status, answer } = await post('/api/pair', { pin: input.value });
    input.value = '';
    if (status === 200 && answer.token) {
      sessionStorage.setItem(TokenKey, answer.token);
      showPaired(true);
      say('Paired.');
    } else {
      say(answer.error || `Refused (${status}).`);
    }
  } catch {
    say('The clock cannot be reached.');
  }
});

document.getElementById('commands').addEventListener('click', async (event) => {
  const button = event.target.closest('button[data-command]');
  if (!button) return;
  const command = button.dataset.command;
  if (LevelCommands[command] && !window.confirm(LevelCommands[command])) return;
  try {
    const { status, answer } = await post('/api/command', { command }, sessionStorage.getItem(TokenKey));
    if (status === 401) {
      sessionStorage.removeItem(TokenKey);
      showPaired(false);
      say('Pair again with the PIN.');
    } else {
      say(status === 200 ? `Sent: ${button.textContent}` : answer.error || `Refused (${status}).`);
    }
  } catch {
    say('The clock cannot be reached.');
  }
});

showPaired(Boolean(sessionStorage.getItem(TokenKey)));
Live.start((state) => {
  for (const field of ['title', 'time', 'level', 'blinds', 'ante', 'players', 'entries']) {
    Live.setText(field, String(state[field] ?? ''));
  }
  document.getElementById('paused').hidden = !state.paused;
  document.getElementById('break').hidden = !state.break;
  Live.applyColours(state.colours);
  Live.showPlan(state);
});
