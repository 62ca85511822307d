#!/usr/bin/env node
// A loopback fake of the account service, scripted per test.
//
//   node account_service.js start --port-file F   start a server in the background and
//                                                 return once its port is written to F
//   node account_service.js stop --port-file F    stop it
//   node account_service.js serve --port-file F   run in the foreground
//
// A test creates a session with its script (POST /__control/sessions) and uses the
// base address it gets back ("http://127.0.0.1:<port>/s/<id>") as the account and the
// parameter server address, so tests running at the same time never share answers.
// The server records every request of a session (GET /__control/sessions/<id>/requests),
// decrypting encrypted forms with its private key, and stops by itself when it has
// been idle for a while.
//
// Script: {"routes": {"/api/v2/getAppParams": [reply, ...], ...}}. The replies of a
// route are used in turn, the last one again and again. A reply is
//   {"json": value}          the value as JSON text; the strings "$encryptKey" and
//                            "$decryptKey" inside any text are replaced by the keys
//   {"text": "..."}          the text as it is
//   {"base64": "..."}        these bytes
//   "encryptRs": value       with "json": "rs" becomes the value (JSON text, or the
//                            text itself when it is a string) encrypted with the
//                            private key that belongs to the decrypt key
//   "status": 500            the HTTP status (200 by default)
//   "delayMs": 1500          wait before answering
//   "drop": true             close the connection without an answer
// Unscripted routes answer as a service where everything succeeds (defaultReply).
'use strict';

const crypto = require('crypto');
const fs = require('fs');
const http = require('http');
const path = require('path');
const { spawn } = require('child_process');

const SEPARATOR = '(HB@WYX)';
const IDLE_SECONDS_DEFAULT = 600;

function argument(name, fallback) {
  const index = process.argv.indexOf(name);
  return index > 0 && index + 1 < process.argv.length ? process.argv[index + 1] : fallback;
}

// ---- RSA in the wire format of tcurl.dll ------------------------------------------

function makeKeyPair() {
  const { publicKey, privateKey } = crypto.generateKeyPairSync('rsa', { modulusLength: 2048 });
  return {
    privateKey,
    publicText: publicKey.export({ type: 'spki', format: 'der' }).toString('base64'),
    size: 256,
  };
}

// Blocks made with our public key and PKCS#1 v1.5 type 2 padding, joined and base64'd.
function decryptForm(pair, text) {
  const data = Buffer.from(text, 'base64');
  if (data.length === 0 || data.length % pair.size !== 0) throw new Error('not whole blocks');
  const chunks = [];
  for (let offset = 0; offset < data.length; offset += pair.size) {
    const block = crypto.privateDecrypt(
      { key: pair.privateKey, padding: crypto.constants.RSA_NO_PADDING },
      data.subarray(offset, offset + pair.size));
    if (block[0] !== 0 || block[1] !== 2) throw new Error('not type 2 padding');
    const end = block.indexOf(0, 2);
    if (end < 10) throw new Error('bad padding');
    chunks.push(block.subarray(end + 1));
  }
  return Buffer.concat(chunks).toString('utf8');
}

// Chunks of k - 11 bytes, each padded with type 1 by the private key, joined, base64'd.
function encryptPayload(pair, text) {
  const data = Buffer.from(text, 'utf8');
  const chunkSize = pair.size - 11;
  const blocks = [];
  for (let offset = 0; offset === 0 || offset < data.length; offset += chunkSize) {
    blocks.push(crypto.privateEncrypt(
      { key: pair.privateKey, padding: crypto.constants.RSA_PKCS1_PADDING },
      data.subarray(offset, offset + chunkSize)));
  }
  return Buffer.concat(blocks).toString('base64');
}

// ---- Request bodies ---------------------------------------------------------------

function parseUrlEncoded(text) {
  const fields = {};
  if (text === '') return fields;
  for (const pair of text.split('&')) {
    const at = pair.indexOf('=');
    const name = at < 0 ? pair : pair.slice(0, at);
    const value = at < 0 ? '' : pair.slice(at + 1);
    const decode = (s) => {
      try { return decodeURIComponent(s.replace(/\+/g, ' ')); } catch (e) { return s; }
    };
    fields[decode(name)] = decode(value);
  }
  return fields;
}

function parseMultipart(body, contentType) {
  const match = /boundary=(?:"([^"]+)"|([^;]+))/.exec(contentType);
  if (!match) return null;
  const delimiter = '--' + (match[1] || match[2]);
  const fields = {};
  for (const part of body.toString('utf8').split(delimiter).slice(1)) {
    if (part.startsWith('--')) break;
    const split = part.indexOf('\r\n\r\n');
    if (split < 0) continue;
    const name = /name="([^"]*)"/.exec(part.slice(0, split));
    if (!name) continue;
    fields[name[1]] = part.slice(split + 4).replace(/\r\n$/, '');
  }
  return fields;
}

function splitJoinedForm(text) {
  return text.split(SEPARATOR).map((field) => {
    const at = field.indexOf('=');
    return at < 0 ? [field, null] : [field.slice(0, at), field.slice(at + 1)];
  });
}

// ---- Replies ----------------------------------------------------------------------

function substitute(value, keys) {
  if (typeof value === 'string') {
    return value.split('$encryptKey').join(keys.encryptKey)
      .split('$decryptKey').join(keys.decryptKey);
  }
  if (Array.isArray(value)) return value.map((item) => substitute(item, keys));
  if (value && typeof value === 'object') {
    const out = {};
    for (const [k, v] of Object.entries(value)) out[k] = substitute(v, keys);
    return out;
  }
  return value;
}

// A one-pixel PNG: what getLoginQr hands out unless scripted.
const QR_PICTURE = 'iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR4nGNgYPgPAAEDAQAIicLsAAAAAElFTkSuQmCC';

function ok(rs) {
  return rs === undefined ? { code: '0', msg: 'ok' } : { code: '0', msg: 'ok', rs };
}

function signedInPayload(id, name) {
  return {
    userInfo: { id, name, favicon: 'http://127.0.0.1/avatar/' + id + '.png' },
    utoken: 'token-' + id,
    chat: {
      userSig: 'sig-' + id,
      ordinary: { createGroupNumberLimit: 4, createGroupUserNumberLimit: 201, joinGroupNumberLimit: 501 },
      senior: { createGroupNumberLimit: 21, createGroupUserNumberLimit: 202, joinGroupNumberLimit: 502 },
    },
  };
}

// The answers of an unscripted session: every operation succeeds.
function defaultReply(route, entry, session) {
  const fields = Object.fromEntries((entry.decryptedFields || []).filter(([, v]) => v !== null));
  switch (route) {
    case '/api/v2/getAppParams':
      return { json: ok({ encryptKey: '$encryptKey', decryptKey: '$decryptKey' }) };
    case '/api/v4/login':
      return { json: ok(), encryptRs: signedInPayload(1001, fields.loginName || '') };
    case '/api/v4/register':
      return { json: ok(), encryptRs: signedInPayload(1002, fields.userName || '') };
    case '/api/v2/checkLoginNameExist':
    case '/api/v2/checkVerificationCode':
    case '/api/v4/sendVerificationCode':
    case '/api/v4/update4Findpwd':
    case '/api/v2/unBindDevice':
      return { json: ok() };
    case '/api/v2/loadBindDeviceInfo':
      return { json: ok([
        { uid: 1001, deviceId: 11, deviceName: 'Office PC', deviceUuid: '00-1A-2B-3C-4D-5E-00-00',
          clientVersion: '5.2.0', latestLoginTime: 1700000000123 },
        { uid: 1001, deviceId: 12, deviceName: 'Laptop', deviceUuid: '00-1A-2B-3C-4D-5F-00-00',
          clientVersion: '5.1.0', latestLoginTime: 1690000000000 },
      ]) };
    case '/api/v1/mobileBind':
      return { json: { status: true, errorCode: '0', errorMsg: '',
                       data: { userId: 2001, name: 'third-party user', userToken: 'bind-token',
                               uuid: entry.fields ? entry.fields.uuid : '', avatar: '' } } };
    case '/api/v2/getLoginQr':
      return { base64: QR_PICTURE };
    case '/api/v2/getUserInfoByUnionCode': {
      // Not yet scanned on the first poll, then complete.
      const polls = (session.served[route] || 0);
      session.served[route] = polls + 1;
      return polls === 0 ? { json: ok({ state: 0 }) }
                         : { json: ok({ state: 3, userDetail: signedInPayload(3001, 'wechat user') }) };
    }
    default:
      return { status: 404, text: 'no such route' };
  }
}

function replyBody(reply, state) {
  if (reply.base64 !== undefined) return Buffer.from(reply.base64, 'base64');
  if (reply.text !== undefined) return Buffer.from(substitute(reply.text, state.keys), 'utf8');
  let value = substitute(reply.json === undefined ? {} : reply.json, state.keys);
  if (reply.encryptRs !== undefined) {
    const payload = substitute(reply.encryptRs, state.keys);
    value = Object.assign({}, value, {
      rs: encryptPayload(state.decryptPair,
                         typeof payload === 'string' ? payload : JSON.stringify(payload)),
    });
  }
  return Buffer.from(JSON.stringify(value), 'utf8');
}

// ---- Server -----------------------------------------------------------------------

function serve(portFile) {
  const state = {
    encryptPair: makeKeyPair(), // the client encrypts forms with its public key
    decryptPair: makeKeyPair(), // payloads are encrypted with its private key
    sessions: new Map(),
    nextSession: 1,
  };
  state.keys = { encryptKey: state.encryptPair.publicText,
                 decryptKey: state.decryptPair.publicText };

  const idleSeconds = Number(argument('--idle-seconds', IDLE_SECONDS_DEFAULT));
  let idleTimer = null;
  let listeningPort = 0;
  const server = http.createServer();
  const stop = () => {
    server.close();
    for (const socket of server.sockets || []) socket.destroy();
    // Leave the port file alone when another server has written it since.
    try {
      if (fs.readFileSync(portFile, 'utf8').trim() === String(listeningPort)) fs.unlinkSync(portFile);
    } catch (e) { /* already gone */ }
    process.exit(0);
  };
  const touch = () => {
    if (idleTimer) clearTimeout(idleTimer);
    idleTimer = setTimeout(stop, idleSeconds * 1000);
  };

  const sendJson = (response, status, value) => {
    response.writeHead(status, { 'Content-Type': 'application/json' });
    response.end(JSON.stringify(value));
  };

  const control = (request, response, url, body) => {
    const parts = url.pathname.split('/').filter((p) => p);
    if (request.method === 'POST' && url.pathname === '/__control/sessions') {
      let script;
      try { script = body.length ? JSON.parse(body.toString('utf8')) : {}; } catch (e) {
        return sendJson(response, 400, { error: 'script is not JSON' });
      }
      const id = String(state.nextSession++);
      state.sessions.set(id, { script, requests: [], served: {} });
      return sendJson(response, 200, { session: id, base: '/s/' + id });
    }
    if (request.method === 'GET' && parts.length === 4 && parts[1] === 'sessions' &&
        parts[3] === 'requests') {
      const session = state.sessions.get(parts[2]);
      if (!session) return sendJson(response, 404, { error: 'no such session' });
      return sendJson(response, 200, session.requests);
    }
    if (url.pathname === '/__control/keys') return sendJson(response, 200, state.keys);
    if (url.pathname === '/__control/stop') {
      sendJson(response, 200, { stopping: true });
      return setImmediate(stop);
    }
    return sendJson(response, 404, { error: 'unknown control request' });
  };

  const record = (request, url, route, body) => {
    const contentType = request.headers['content-type'] || '';
    const entry = {
      method: request.method,
      path: route,
      query: Object.fromEntries(url.searchParams),
      userAgent: request.headers['user-agent'] || '',
      contentType,
      body: body.toString('utf8'),
    };
    if (contentType.startsWith('application/x-www-form-urlencoded')) {
      entry.fields = parseUrlEncoded(entry.body);
    } else if (contentType.startsWith('multipart/form-data')) {
      entry.fields = parseMultipart(body, contentType);
    }
    if (entry.fields && Object.keys(entry.fields).length === 1 && entry.fields.key !== undefined) {
      try {
        entry.decrypted = decryptForm(state.encryptPair, entry.fields.key);
        entry.decryptedFields = splitJoinedForm(entry.decrypted);
      } catch (e) {
        entry.decryptError = String(e.message || e);
      }
    }
    return entry;
  };

  const answer = (request, response, url, body) => {
    const match = /^\/s\/([^/]+)(\/.*)?$/.exec(url.pathname);
    const session = match && state.sessions.get(match[1]);
    if (!session) return sendJson(response, 404, { error: 'no such session' });
    const route = match[2] || '/';
    const entry = record(request, url, route, body);
    session.requests.push(entry);
    const routes = (session.script.routes || {})[route];
    let reply;
    if (Array.isArray(routes) && routes.length) {
      const served = session.served[route] || 0;
      session.served[route] = served + 1;
      reply = routes[Math.min(served, routes.length - 1)];
    } else {
      reply = defaultReply(route, entry, session);
    }
    const finish = () => {
      if (reply.drop) return request.socket.destroy();
      response.writeHead(reply.status || 200, { 'Content-Type': 'application/json' });
      response.end(replyBody(reply, state));
    };
    if (reply.delayMs) setTimeout(finish, reply.delayMs); else finish();
  };

  server.on('request', (request, response) => {
    touch();
    const chunks = [];
    request.on('data', (chunk) => chunks.push(chunk));
    request.on('end', () => {
      const url = new URL(request.url, 'http://127.0.0.1');
      const body = Buffer.concat(chunks);
      try {
        if (url.pathname.startsWith('/__control/')) control(request, response, url, body);
        else answer(request, response, url, body);
      } catch (e) {
        sendJson(response, 500, { error: String(e.message || e) });
      }
    });
  });
  server.listen(0, '127.0.0.1', () => {
    listeningPort = server.address().port;
    const temporary = portFile + '.' + process.pid;
    fs.writeFileSync(temporary, String(listeningPort));
    fs.renameSync(temporary, portFile);
    touch();
  });
}

function start(portFile) {
  try { fs.unlinkSync(portFile); } catch (e) { /* none */ }
  const child = spawn(process.execPath, [__filename, 'serve', '--port-file', portFile,
                                         '--idle-seconds', argument('--idle-seconds',
                                                                    String(IDLE_SECONDS_DEFAULT))],
                      { detached: true, stdio: 'ignore' });
  child.unref();
  const deadline = Date.now() + 20000;
  const poll = () => {
    if (fs.existsSync(portFile)) {
      console.log('account service on port ' + fs.readFileSync(portFile, 'utf8'));
      process.exit(0);
    }
    if (Date.now() > deadline) {
      console.error('account service did not start');
      process.exit(1);
    }
    setTimeout(poll, 50);
  };
  poll();
}

function stopServer(portFile) {
  let port;
  try { port = fs.readFileSync(portFile, 'utf8').trim(); } catch (e) { process.exit(0); }
  const request = http.request({ host: '127.0.0.1', port, path: '/__control/stop', method: 'POST' },
                               (response) => { response.resume(); response.on('end', () => process.exit(0)); });
  request.on('error', () => process.exit(0));
  request.end();
}

const command = process.argv[2];
const portFile = path.resolve(argument('--port-file', 'account-service.port'));
if (command === 'serve') serve(portFile);
else if (command === 'start') start(portFile);
else if (command === 'stop') stopServer(portFile);
else {
  console.error('usage: account_service.js start|stop|serve --port-file FILE');
  process.exit(2);
}
